#pragma once

#include <cstdint>
#include <filesystem>

#include "core/ServiceOwner.h"

class B2DebugDrawer;
class B2MainContactListener;
class ClipboardBackend;
class ControlsStore;
class CoroutineManager;
class DestroyQueues;
class EditorState;
class EnemyDamageHandlers;
class EnemyDamageSender;
class Events;
class FontLookup;
class FontRegistry;
class GameConfig;
class GameObject;
class GameTime;
class GraphicsManager;
class InputManager;
class KeymapKeeper;
class GameExit;
class LeavingGame;
class MusicManager;
class MusicPlayer;
class ObjectDestructionListener;
class OptionsStore;
class PointerCapture;
class PrefabManager;
class RandomManager;
class SessionRecorder;
class SettingsKeeper;
class SlotReadListener;
class SoundManager;
class TextureLookup;
class TextureManager;
class TileGrid;
class b2World;
struct DevelopmentContent;
struct SceneRoots;
struct SlotFolderOverride;

// Every process-wide service, each published as Service<T> (and as the interfaces it implements)
// for exactly its own lifetime. Members come up in declaration order and go in the reverse order:
// a service may use those declared before it, and the objects of the tree and those the editor's
// history keeps go while every manager they might reach still lives. The game and the tests build
// this same aggregate.
class GameServices {
public:
    struct Setup {
        uint32_t Seed = 0;
        std::filesystem::path Content = "Content"; // the shipped content folder
        std::filesystem::path Overlay;             // the writable overlay over it, if any
        bool SilentAudio = false;                  // no sound device: sounds play by their length
    };

    explicit GameServices(const Setup& setup);
    // Objects still queued for deletion go first, while everything they might reach lives.
    ~GameServices();
    GameServices(const GameServices&) = delete;
    GameServices& operator=(const GameServices&) = delete;

    ServiceOwner<DestroyQueues> Queues;
    ServiceOwner<Events> EventHub;
    ServiceOwner<B2MainContactListener> ContactListener;
    ServiceOwner<B2DebugDrawer> DebugDrawer;
    ServiceOwner<b2World> World;
    ServiceOwner<TileGrid> Tiles;
    ServiceOwner<GameObject> Root; // "Root", and with it the whole tree; goes before the world
    ServiceOwner<SceneRoots> Roots;
    ServiceOwner<RandomManager> Random;
    ServiceOwner<GraphicsManager> Graphics;
    ServiceOwner<TextureManager, TextureLookup> Textures;
    ServiceOwner<FontRegistry, FontLookup> Fonts;
    ServiceOwner<PrefabManager> Prefabs;
    ServiceOwner<GameTime> Time;
    ServiceOwner<InputManager> Input;
    ServiceOwner<SoundManager> Sounds;
    ServiceOwner<MusicManager> Music;
    ServiceOwner<MusicPlayer> MusicPlayback;
    ServiceOwner<CoroutineManager> Coroutines;
    ServiceOwner<EnemyDamageHandlers, EnemyDamageSender> EnemyDamage;
    // The editor's history keeps objects taken out of the tree: they go with it, before the
    // managers above.
    ServiceOwner<EditorState, ObjectDestructionListener, PointerCapture> Editor;
    ServiceOwner<GameConfig> Config;
    ServiceOwner<DevelopmentContent> Development;

    // Made by the start-up sequence, from what it reads; empty until then.
    ServiceOwner<SessionRecorder, SlotReadListener> Recorder;
    ServiceOwner<SlotFolderOverride> ReplaySaves;
    ServiceOwner<KeymapKeeper, ControlsStore> Keymap;
    ServiceOwner<SettingsKeeper, OptionsStore> Settings;
    ServiceOwner<ClipboardBackend> Clipboard;
    ServiceOwner<LeavingGame, GameExit> Leaving; // holds the window, which outlives the services
};
