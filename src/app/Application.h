#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/CommandLine.h"
#include "core/ContentError.h"
#include "core/ContentLayers.h"

class ClipboardBackend;
struct SlotFolderOverride;
class B2DebugDrawer;
class B2MainContactListener;
class Clock;
class CoroutineManager;
class Events;
class GameConfig;
class InputManager;
class MusicManager;
class MusicPlayer;
class SoundManager;
class InputScriptPlayer;
class SessionRecorder;
class ReplaySlots;
class PrefabManager;
class TextureManager;
class DestroyQueues;
struct DevelopmentContent;
class EditorState;
class FramePacer;
class Gamepads;
class KeymapKeeper;
class SettingsKeeper;
class FrameStats;
class GameObject;
class GameTime;
class FontRegistry;
class GraphicsManager;
class KeyEventSink;
struct SceneRoots;
class Window;
class RandomManager;
class TileGrid;
class b2World;

// Creates every process-wide service in a fixed order, runs the start-up sequence, the fixed-rate
// frame loop and the shutdown sequence, and destroys the services in their own fixed order (the
// object tree after the managers and before the physics world).
class Application {
public:
    Application(const AppOptions& options, Clock& clock);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    // Start-up, frames until the window closes (or --frames runs out), shutdown. Returns the exit
    // status: 0, or 1 when content start-up needs is missing or malformed (one line on stderr), or 2
    // when no window can be opened or the --script file is malformed.
    int Run();

    int64_t FramesRun() const { return framesRun_; }

    // Called after each completed frame with its number (from 1), for tests and tools that watch a
    // running game; it may read any service.
    void SetFrameObserver(std::function<void(int64_t frame)> observer) {
        frameObserver_ = std::move(observer);
    }

private:
    void StartUp();
    // Frames until the window closes or --frames runs out; a ContentError ends them.
    void RunFrames();
    // One turn of the per-frame order. False when the window was closed during the message pump.
    bool RunFrame(float frameDelta);
    bool PumpMessages();
    // A --replay file: checked, its seed taken, its input played from frame 1, its saved games kept
    // apart from the player's.
    void StartReplay();
    void ShutDown();
    void RunNaivePacerForComparison();

    AppOptions options_;
    Clock& clock_;
    uint64_t startTick_ = 0;                     // when the application was made: the start of start-up
    ContentLayers content_;                      // found before any service that reads content is made
    std::optional<ContentError> contentMissing_; // reported as start-up's first step

    // Services, in creation order. Destruction order is written out in ~Application.
    std::unique_ptr<DestroyQueues> destroyQueues_;
    std::unique_ptr<Events> events_;
    std::unique_ptr<B2MainContactListener> contactListener_;
    std::unique_ptr<B2DebugDrawer> debugDrawer_;
    std::unique_ptr<b2World> physicsWorld_;
    std::unique_ptr<GameObject> root_;
    std::unique_ptr<SceneRoots> sceneRoots_;
    std::unique_ptr<RandomManager> random_;
    std::unique_ptr<TileGrid> tileGrid_;
    std::unique_ptr<GraphicsManager> graphics_;
    std::unique_ptr<TextureManager> textures_;
    std::unique_ptr<FontRegistry> fonts_;
    std::unique_ptr<PrefabManager> prefabs_;
    std::unique_ptr<GameTime> gameTime_;
    std::unique_ptr<InputManager> input_;
    std::unique_ptr<SoundManager> sounds_;
    std::unique_ptr<MusicManager> music_;
    std::unique_ptr<MusicPlayer> musicPlayer_;
    std::unique_ptr<CoroutineManager> coroutines_;
    std::unique_ptr<EditorState> editorState_;
    std::unique_ptr<GameConfig> config_;
    std::unique_ptr<DevelopmentContent> developmentContent_;

    std::unique_ptr<Window> window_;
    std::unique_ptr<Gamepads> gamepads_; // with a window only: a headless run has no player at it
    std::unique_ptr<SettingsKeeper> settings_;
    std::unique_ptr<KeymapKeeper> keymap_;
    std::unique_ptr<ClipboardBackend> clipboard_;
    std::unique_ptr<KeyEventSink> keySink_;
    std::unique_ptr<InputScriptPlayer> script_;
    std::unique_ptr<KeyEventSink> ignoredKeys_; // a replay's window: the watcher's keys play no part
    std::unique_ptr<SessionRecorder> recorder_; // none while replaying: the replay is the recording
    uint32_t seed_ = 0; // the random source's seed: --seed, the replay's, or the clock's
    // A replay's saved games go elsewhere; the override it replaced comes back at the end.
    std::unique_ptr<SlotFolderOverride> replaySaves_;
    SlotFolderOverride* slotsBeforeReplay_ = nullptr;
    std::unique_ptr<ReplaySlots> replaySlots_; // the recorded slot files, placed as loads ask
    std::filesystem::path replayFiles_;        // a replay's settings, keymap and prefabs
    std::unique_ptr<FramePacer> pacer_;
    std::unique_ptr<FrameStats> stats_;
    int64_t framesRun_ = 0;
    std::function<void(int64_t)> frameObserver_;
};
