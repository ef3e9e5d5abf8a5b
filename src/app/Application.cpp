#include "app/Application.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <box2d/b2_world.h>

#include "app/ContentSearch.h"
#include "app/FramePacer.h"
#include "app/FrameStats.h"
#include "app/GameConfig.h"
#include "app/GameStateReport.h"
#include "app/GamepadInput.h"
#include "app/KeymapFile.h"
#include "app/KeymapKeeper.h"
#include "app/RegisterAllClasses.h"
#include "app/ReplayFiles.h"
#include "app/SessionRecorder.h"
#include "app/Settings.h"
#include "app/SettingsKeeper.h"
#include "assets/FontRegistry.h"
#include "assets/TextureManager.h"
#include "audio/MusicManager.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundManager.h"
#include "core/ContentError.h"
#include "core/CoroutineManager.h"
#include "core/DestroyQueues.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/GraphicsManager.h"
#include "core/ObjectPasses.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "editor/DevelopmentContent.h"
#include "editor/EditorState.h"
#include "events/Events.h"
#include "input/InputManager.h"
#include "input/InputScriptError.h"
#include "input/InputScriptPlayer.h"
#include "input/PointerCapture.h"
#include "physics/B2DebugDrawer.h"
#include "physics/B2MainContactListener.h"
#include "physics/FrameOrder.h"
#include "physics/PhysicsWorld.h"
#include "platform/ClipboardBackend.h"
#include "platform/Clock.h"
#include "platform/Gamepads.h"
#include "platform/ProcessMemory.h"
#include "platform/Window.h"
#include "prefabs/PrefabManager.h"
#include "render/RenderSetup.h"
#include "render/Renderer.h"
#include "saves/SlotFiles.h"
#include "world/RandomManager.h"
#include "world/TileGrid.h"
#include "world/WorldMap.h"

namespace {

// Makes a service and publishes it through its accessor.
template <class T, class... Args> void Create(std::unique_ptr<T>& slot, Args&&... args) {
    slot = std::make_unique<T>(std::forward<Args>(args)...);
    Service<T>::Set(slot.get());
}

// Unpublishes a service, then deletes it.
template <class T> void Destroy(std::unique_ptr<T>& slot) {
    if (Service<T>::TryGet() == slot.get()) {
        Service<T>::Set(nullptr);
    }
    slot.reset();
}

constexpr const char* KeyMappingsFile = "Config/KeyMappings.json";
constexpr const char* GameConfigFile = "Config/GameConfig.json";

// Key messages from the window go to the input manager as virtual-key codes.
class KeyboardToInput final : public KeyEventSink {
public:
    explicit KeyboardToInput(InputManager& input) : input_(input) {}
    void KeyDown(int virtualKey) override { input_.KeyDown(virtualKey); }
    void KeyUp(int virtualKey) override { input_.KeyUp(virtualKey); }

private:
    InputManager& input_;
};

class NoKeys final : public KeyEventSink {
public:
    void KeyDown(int) override {}
    void KeyUp(int) override {}
};

} // namespace

Application::Application(const AppOptions& options, Clock& clock)
    : options_(options), clock_(clock), startTick_(clock.Now()) {
    try {
        content_ = FindContent(options_.ContentPath);
    } catch (const ContentError& error) {
        contentMissing_ = error;
        content_.Shipped = "Content";
    }
    Create(destroyQueues_);
    Create(events_);
    Create(contactListener_);
    Create(debugDrawer_);
    physicsWorld_ = CreatePhysicsWorld(*contactListener_, *debugDrawer_);
    Service<b2World>::Set(physicsWorld_.get());
    Create(root_);
    Create(sceneRoots_);
    sceneRoots_->Root = root_.get();
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    seed_ = options_.Seed.value_or(
        static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
    Create(random_, seed_);
    Create(tileGrid_);
    Create(graphics_);
    Create(textures_, content_.Shipped.string());
    textures_->SetOverlayRoot(content_.Overlay.string());
    Create(fonts_, content_.Shipped.string());
    Create(prefabs_);
    Create(gameTime_);
    Create(input_);
    // Without a sound card (or headless) sounds still start and end by their length, in silence.
    Create(sounds_, options_.Headless ? AudioSystem::Device::Silent : AudioSystem::Device::Default,
           (content_.Shipped / "Sounds").string());
    Create(music_, (content_.Shipped / "Music").string());
    Create(musicPlayer_, sounds_->System(), *music_);
    Create(coroutines_);
    Create(editorState_);
    Service<PointerCapture>::Set(editorState_.get());
    Create(config_);
    Create(developmentContent_);
    keySink_ = std::make_unique<KeyboardToInput>(*input_);
}

Application::~Application() {
    if (Service<ControlsStore>::TryGet() == keymap_.get()) {
        Service<ControlsStore>::Set(nullptr); // start-up failed after the keymap was read
    }
    if (Service<SlotReadListener>::TryGet() == recorder_.get() ||
        Service<SlotReadListener>::TryGet() == replaySlots_.get()) {
        Service<SlotReadListener>::Set(nullptr);
    }
    if (replaySaves_ && Service<SlotFolderOverride>::TryGet() == replaySaves_.get()) {
        Service<SlotFolderOverride>::Set(slotsBeforeReplay_);
    }
    Destroy(developmentContent_);
    Destroy(config_);
    Service<PointerCapture>::Set(nullptr);
    Destroy(editorState_);
    Destroy(coroutines_);
    Destroy(musicPlayer_);
    Destroy(music_);
    Destroy(sounds_);
    Destroy(input_);
    Destroy(gameTime_);
    Destroy(prefabs_);
    Destroy(textures_);
    Destroy(fonts_);
    Destroy(graphics_);
    // The tree goes after the managers its components might reach from their destructors. What is
    // still queued for deletion goes first (start-up queues objects, and a window closed before the
    // first frame's flush leaves them there), so the queues never outlive the objects they name.
    destroyQueues_->Flush();
    Destroy(sceneRoots_);
    root_.reset();
    Destroy(tileGrid_);
    Destroy(random_);
    // Bodies were destroyed with the tree, on a live world.
    Destroy(physicsWorld_);
    Destroy(debugDrawer_);
    Destroy(contactListener_);
    Destroy(events_);
    Destroy(destroyQueues_);
}

int Application::Run() {
    try {
        StartUp();
    } catch (const ContentError& error) {
        std::fprintf(stderr, "kelvane: %s\n", error.what());
        return 1;
    } catch (const InputScriptError& error) {
        std::fprintf(stderr, "kelvane: %s\n", error.what());
        return 2;
    } catch (const WindowError& error) {
        std::fprintf(stderr,
                     "kelvane: %s. Run it on a desktop with a display, under a virtual display "
                     "(xvfb-run ./kelvane), or without a window (./kelvane --headless).\n",
                     error.what());
        return 2;
    }

    if (stats_) {
        stats_->Begin(clock_.Now());
    }
    try {
        RunFrames();
    } catch (const ContentError& error) {
        // Content the running game needed is missing or malformed: the session ends here, and its
        // recording shows how it got there.
        const bool kept = recorder_ && recorder_->Finish();
        std::fprintf(stderr, "kelvane: %s%s\n", error.what(), kept ? recorder_->ReplayNote().c_str() : "");
        ShutDown();
        return 1;
    }
    if (recorder_) {
        recorder_->Finish();
    }
    // The last frame captured its back buffer; a screenshot that cannot be written fails the run.
    const bool shotFailed = !options_.ScreenshotPath.empty() && framesRun_ == options_.Frames &&
                            !WriteCapturedFrame(*graphics_, options_.ScreenshotPath);
    bool reportFailed = false;
    if (!options_.WorldMapPath.empty() && !WriteWorldMap(*tileGrid_, options_.WorldMapPath)) {
        std::fprintf(stderr, "kelvane: cannot write the world map to %s\n", options_.WorldMapPath.c_str());
        reportFailed = true;
    }
    if (!options_.GameStatePath.empty() && !WriteGameState(*sceneRoots_, options_.GameStatePath)) {
        std::fprintf(stderr, "kelvane: cannot write the game state to %s\n", options_.GameStatePath.c_str());
        reportFailed = true;
    }
    if (stats_) {
        stats_->ResidentAtEnd(ResidentMemoryBytes());
        stats_->End(clock_.Now());
        std::fputs(stats_->Report(options_.FixedStep ? "fixed step" : "fixed-rate pacer").c_str(), stdout);
        std::fputs(stats_->WorkReport().c_str(), stdout);
        if (!options_.FixedStep) {
            RunNaivePacerForComparison();
        }
    }

    ShutDown();
    if (replaySlots_) {
        std::fputs(ReplayFilesLine(replaySaves_->Folder, replayFiles_).c_str(), stderr);
    }
    return shotFailed || reportFailed ? 1 : 0;
}

void Application::RunFrames() {
    while (options_.Frames < 0 || framesRun_ < options_.Frames) {
        if (options_.AbortAtFrame > 0 && framesRun_ + 1 == options_.AbortAtFrame) {
            std::abort();
        }
        const float nominal = 1.0f / static_cast<float>(graphics_->FramesPerSecond);
        float delta = nominal;
        if (!options_.FixedStep) {
            pacer_->WaitUntilDue();
        }
        const uint64_t now = clock_.Now();
        if (!options_.FixedStep) {
            delta = pacer_->BeginFrame(now, graphics_->FramesPerSecond, graphics_->MaxCatchUpFrames);
        } else if (script_) {
            delta = script_->FrameDelta(framesRun_ + 1, nominal);
        }
        if (stats_) {
            if (framesRun_ == 0) {
                stats_->StartUp(static_cast<double>(now - startTick_) * 1000.0 /
                                static_cast<double>(clock_.Frequency()));
            }
            stats_->Frame(now, options_.FixedStep ? 0 : pacer_->LastWakeLateness());
        }
        const uint64_t workStart = stats_ ? ThreadCpuNanoseconds() : 0;
        if (!RunFrame(delta)) {
            break;
        }
        if (stats_) {
            stats_->FrameWork(static_cast<double>(ThreadCpuNanoseconds() - workStart) / 1e6);
            if (framesRun_ == 0) {
                stats_->ResidentAtStart(ResidentMemoryBytes());
            }
        }
        ++framesRun_;
        if (recorder_) {
            recorder_->Commit(framesRun_);
        }
        if (frameObserver_) {
            frameObserver_(framesRun_);
        }
    }
}

void Application::StartUp() {
    if (contentMissing_) {
        throw *contentMissing_;
    }
    // A malformed script is the caller's mistake, reported before anything starts.
    if (!options_.ReplayPath.empty()) {
        StartReplay();
    } else if (!options_.ScriptPath.empty()) {
        script_ = std::make_unique<InputScriptPlayer>(InputScript::Load(options_.ScriptPath));
    }
    // A replay is not recorded again: its file already is the recording.
    if (!options_.RecordPath.empty()) {
        recorder_ = SessionRecorder::ToFile(options_.RecordPath, seed_);
    } else if (options_.ReplayPath.empty()) {
        recorder_ = SessionRecorder::ForLastSession(seed_);
    }
    Service<SlotReadListener>::Set(recorder_ ? static_cast<SlotReadListener*>(recorder_.get())
                                             : replaySlots_.get());

    config_->Load(content_.Find(GameConfigFile));
    // A replay rebuilds no atlases and copies no development content: those are the developer's.
    if (options_.ReplayPath.empty()) {
        developmentContent_->Folder = config_->DevelopmentContentPath();
    } else {
        CheckReplayDeltas(script_->Script(), options_.ReplayPath, graphics_->FramesPerSecond,
                          graphics_->MaxCatchUpFrames);
    }
    input_->LoadMappings(content_.Find(KeyMappingsFile).string());
    // A replay steers with the bindings its session had, not with this machine's keymap.
    const std::filesystem::path keymap =
        options_.ReplayPath.empty() ? GetKeymapPath() : PlaceReplayKeymap(*script_, replayFiles_);
    keymap_ = std::make_unique<KeymapKeeper>(keymap, *input_);
    if (recorder_) {
        recorder_->KeymapRead(keymap);
    }
    Service<ControlsStore>::Set(keymap_.get());
    // A development folder is the developer's own and written in place; otherwise edited prefabs
    // land in the overlay when there is one. A replay's land in its own overlay, over the player's.
    const std::filesystem::path prefabFolder = config_->GetPrefabFolder(content_.Shipped);
    const bool shippedPrefabs = prefabFolder == content_.Shipped / "Prefabs";
    std::filesystem::path prefabOverlay =
        shippedPrefabs && !content_.Overlay.empty() ? content_.Overlay / "Prefabs" : std::filesystem::path();
    if (!options_.ReplayPath.empty()) {
        prefabOverlay = PlaceReplayPrefabs(prefabOverlay, replayFiles_);
    }
    prefabs_->RegisterAll(RegisterAllClasses, prefabFolder, prefabOverlay);
    prefabs_->Require("GameplayRoot");
    prefabs_->Require("EditorRoot");

    window_ = options_.Headless ? Window::CreateHeadless(graphics_->Width, graphics_->Height)
                                : Window::CreateDesktop("Game", graphics_->Width, graphics_->Height);
    if (!options_.Headless && options_.ReplayPath.empty()) {
        gamepads_ = std::make_unique<Gamepads>();
    }
    settings_ = std::make_unique<SettingsKeeper>(
        options_.ReplayPath.empty() ? GetSettingsPath()
                                    : PlaceReplaySettings(GetSettingsPath(), replayFiles_),
        *window_, sounds_->System(), *musicPlayer_,
        options_.Headless ? SettingsKeeper::Run::Headless : SettingsKeeper::Run::Player);
    Service<SettingsKeeper>::Set(settings_.get());
    Service<OptionsStore>::Set(settings_.get());
    clipboard_ = options_.Headless ? ClipboardBackend::CreateHeadless() : ClipboardBackend::CreateDesktop();
    Service<ClipboardBackend>::Set(clipboard_.get());
    CreateRenderer(*graphics_, *window_);
    graphics_->renderer->PhysicsOverlay = [this](Renderer& renderer) {
        debugDrawer_->LineStripOutput = [&renderer](const Vector2* points, int count, Color colour,
                                                    bool closed) {
            renderer.DrawLineStrip(points, count, colour, closed);
        };
        debugDrawer_->DrawOverlay(*physicsWorld_);
        debugDrawer_->LineStripOutput = nullptr;
    };
    textures_->LoadTextureBank("Main");
    fonts_->LoadFontBank("Main");
    sounds_->loadBank("Main");

    root_->Name = "Root";
    auto* gameplayRoot = new GameObject("GameplayRoot");
    root_->AppendChild(gameplayRoot);
    sceneRoots_->GameplayRoot = gameplayRoot;
    // The editor sits beside the gameplay tree, so pausing the game never stops it.
    root_->AppendChild(new GameObject("EditorRoot"));

    pacer_ = std::make_unique<FramePacer>(clock_, graphics_->FramesPerSecond);
    if (options_.Stats) {
        stats_ = std::make_unique<FrameStats>(clock_.Frequency());
    }
}

bool Application::RunFrame(float frameDelta) {
    const FrameScene scene{*gameTime_,     *root_,          *sceneRoots_->GameplayRoot,
                           *physicsWorld_, *destroyQueues_, graphics_->FramesPerSecond};
    const bool open = RunFrameOrder(scene, frameDelta, [this, frameDelta] {
        input_->FrameUpdate();
        sounds_->Update(frameDelta);
        musicPlayer_->Update(frameDelta);
        if (!PumpMessages()) {
            return false;
        }
        if (recorder_) {
            recorder_->Frame(framesRun_ + 1, frameDelta,
                             1.0f / static_cast<float>(graphics_->FramesPerSecond), *input_,
                             graphics_->HasFocus);
        }
        return true;
    });
    if (!open) {
        return false;
    }

    const bool lastFrame = options_.Frames >= 0 && framesRun_ + 1 == options_.Frames;
    if (lastFrame && !options_.ScreenshotPath.empty()) {
        graphics_->renderer->RequestCapture();
    }
    graphics_->renderer->RenderFrame(root_.get(), *graphics_);
    return true;
}

bool Application::PumpMessages() {
    // A script is the player's hands: it owns the pointer (the desktop's would undo its moves and
    // presses every frame), and its input counts whether or not the desktop focused the window (its
    // own focus lines aside). A replay's input is all in the recording: the window's keys are not.
    if (!script_) {
        const MouseState mouse = window_->Mouse();
        input_->SetMousePosition(mouse.X, mouse.Y);
        input_->SetKeyState(Key::LeftMouse, mouse.Left);
        input_->SetKeyState(Key::MiddleMouse, mouse.Middle);
        input_->SetKeyState(Key::RightMouse, mouse.Right);
    }
    graphics_->HasFocus = script_ ? script_->HasFocus() : window_->HasFocus();
    const bool open = window_->PumpEvents(ignoredKeys_ ? *ignoredKeys_ : *keySink_);
    if (gamepads_) {
        ApplyGamepad(gamepads_->Poll(), *input_);
    }
    if (settings_) {
        settings_->Frame();
    }
    if (script_) {
        // Frames count from 1 in scripts: this is frame framesRun_ + 1.
        script_->Play(framesRun_ + 1, *input_);
        if (replaySlots_) {
            replaySlots_->Frame(framesRun_ + 1);
        }
        graphics_->HasFocus = script_->HasFocus();
    }
    return open;
}

void Application::StartReplay() {
    InputScript replay = LoadReplay(options_.ReplayPath);
    seed_ = *replay.Seed();
    random_->Seed(seed_);
    if (options_.Frames < 0) {
        options_.Frames = ReplayFrames(replay);
    }
    script_ = std::make_unique<InputScriptPlayer>(std::move(replay));
    ignoredKeys_ = std::make_unique<NoKeys>();
    replaySlots_ = std::make_unique<ReplaySlots>(*script_);
    replayFiles_ = PrepareReplayFiles(options_.ReplayPath);
    replaySaves_ =
        std::make_unique<SlotFolderOverride>(SlotFolderOverride{PrepareReplaySaves(options_.ReplayPath)});
    slotsBeforeReplay_ = Service<SlotFolderOverride>::TryGet();
    Service<SlotFolderOverride>::Set(replaySaves_.get());
}

void Application::ShutDown() {
    sounds_->unloadBank("Main");
    fonts_->UnloadFontBank("Main");
    textures_->UnloadTextureBank("Editor");
    textures_->UnloadTextureBank("Main");
    ReleaseRenderer(*graphics_);
    Service<ClipboardBackend>::Set(nullptr);
    clipboard_.reset();
    Service<OptionsStore>::Set(nullptr);
    Destroy(settings_);
    Service<ControlsStore>::Set(nullptr);
    keymap_.reset();
    gamepads_.reset();
    window_.reset();
}

void Application::RunNaivePacerForComparison() {
    FrameStats naive(clock_.Frequency());
    const uint64_t period = clock_.Frequency() / static_cast<uint64_t>(graphics_->FramesPerSecond);
    const int64_t frames = framesRun_ > 0 ? framesRun_ : 600;
    uint64_t last = clock_.Now();
    naive.Begin(last);
    for (int64_t i = 0; i < frames; ++i) {
        clock_.SleepMs(16);
        const uint64_t now = clock_.Now();
        // A naive pacer has no schedule: its error is how far each period misses the ideal one.
        naive.Frame(now, now - last > period ? now - last - period : period - (now - last));
        last = now;
    }
    naive.End(clock_.Now());
    std::fputs(naive.Report("naive 16 ms sleep").c_str(), stdout);
}
