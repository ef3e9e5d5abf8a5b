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
#include "core/ServiceOwner.h"

class Clock;
class InputScriptPlayer;
class ReplaySlots;
class SlotReadListener;
class FramePacer;
class GameServices;
class Gamepads;
class FrameStats;
class KeyEventSink;
class Window;

// Builds the game's services (GameServices: they come and go in one fixed order), runs the start-up
// sequence, the fixed-rate frame loop and the shutdown sequence.
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

    uint32_t seed_ = 0; // the random source's seed: --seed, the replay's, or the clock's

    // Outlive the services: the settings hold the window.
    std::unique_ptr<Window> window_;
    std::unique_ptr<Gamepads> gamepads_; // with a window only: a headless run has no player at it
    std::unique_ptr<GameServices> services_;

    std::unique_ptr<KeyEventSink> keySink_;
    std::unique_ptr<InputScriptPlayer> script_;
    std::unique_ptr<KeyEventSink> ignoredKeys_; // a replay's window: the watcher's keys play no part
    // A replay's recorded slot files, placed as loads ask (before the script they read goes).
    ServiceOwner<ReplaySlots, SlotReadListener> replaySlots_;
    std::filesystem::path replayFiles_; // a replay's settings, keymap and prefabs
    std::unique_ptr<FramePacer> pacer_;
    std::unique_ptr<FrameStats> stats_;
    int64_t framesRun_ = 0;
    std::function<void(int64_t)> frameObserver_;
};
