#include "app/Application.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <box2d/b2_world.h>

#include "app/ContentSearch.h"
#include "app/FramePacer.h"
#include "app/FrameStats.h"
#include "app/GameConfig.h"
#include "app/GameServices.h"
#include "app/GameStateReport.h"
#include "app/GameWindowIdentity.h"
#include "app/GamepadInput.h"
#include "app/KeymapFile.h"
#include "app/KeymapKeeper.h"
#include "app/LeavingGame.h"
#include "app/RegisterAllClasses.h"
#include "app/ReplayFiles.h"
#include "app/SessionRecorder.h"
#include "app/Settings.h"
#include "app/SettingsKeeper.h"
#include "assets/FontRegistry.h"
#include "assets/TextureManager.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundManager.h"
#include "core/ContentError.h"
#include "core/DestroyQueues.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/GraphicsManager.h"
#include "core/ObjectPasses.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "editor/DevelopmentContent.h"
#include "input/InputManager.h"
#include "input/InputScriptError.h"
#include "input/InputScriptPlayer.h"
#include "physics/B2DebugDrawer.h"
#include "physics/FrameOrder.h"
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

constexpr const char* KeyMappingsFile = "Config/KeyMappings.json";
// The naive pacer's comparison under --stats runs at most this many periods (three seconds).
constexpr int64_t NaivePacerFrames = 180;
constexpr const char* GameConfigFile = "Config/GameConfig.json";

// Key messages from the window go to the input manager as virtual-key codes, and the mouse buttons
// as their keys unless a script holds the pointer.
class KeyboardToInput final : public KeyEventSink {
public:
    KeyboardToInput(InputManager& input, bool mouseButtons) : input_(input), mouseButtons_(mouseButtons) {}
    void KeyDown(int virtualKey) override { input_.KeyDown(virtualKey); }
    void KeyUp(int virtualKey) override { input_.KeyUp(virtualKey); }
    void MouseButtonChanged(MouseButton button, bool down) override {
        if (!mouseButtons_) {
            return;
        }
        static constexpr Key keys[] = {Key::LeftMouse, Key::MiddleMouse, Key::RightMouse};
        input_.SetKeyState(keys[static_cast<int>(button)], down);
    }

private:
    InputManager& input_;
    bool mouseButtons_;
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
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    seed_ = options_.Seed.value_or(
        static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
    // Without a sound card (or headless) sounds still start and end by their length, in silence.
    services_ = std::make_unique<GameServices>(
        GameServices::Setup{seed_, content_.Shipped, content_.Overlay, options_.Headless});
}

Application::~Application() = default;

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
        const bool kept = services_->Recorder && services_->Recorder->Finish();
        std::fprintf(stderr, "kelvane: %s%s\n", error.what(),
                     kept ? services_->Recorder->ReplayNote().c_str() : "");
        ShutDown();
        return 1;
    }
    if (services_->Recorder) {
        services_->Recorder->Finish();
    }
    // The last frame captured its back buffer; a screenshot that cannot be written fails the run.
    const bool shotFailed = !options_.ScreenshotPath.empty() && framesRun_ == options_.Frames &&
                            !WriteCapturedFrame(*services_->Graphics, options_.ScreenshotPath);
    bool reportFailed = false;
    if (!options_.WorldMapPath.empty() && !WriteWorldMap(*services_->Tiles, options_.WorldMapPath)) {
        std::fprintf(stderr, "kelvane: cannot write the world map to %s\n", options_.WorldMapPath.c_str());
        reportFailed = true;
    }
    if (!options_.GameStatePath.empty() && !WriteGameState(*services_->Roots, options_.GameStatePath)) {
        std::fprintf(stderr, "kelvane: cannot write the game state to %s\n", options_.GameStatePath.c_str());
        reportFailed = true;
    }
    if (stats_) {
        stats_->ResidentAtEnd(ResidentMemoryBytes());
        stats_->End(clock_.Now());
        std::fputs(stats_->Report(options_.FixedStep ? "fixed step" : "fixed-rate pacer").c_str(), stdout);
        std::fputs(stats_->WorkReport().c_str(), stdout);
    }

    ShutDown();
    // After the window is gone, so a player who closed it is not left looking at a frozen one.
    if (stats_ && !options_.FixedStep) {
        RunNaivePacerForComparison();
    }
    if (replaySlots_) {
        std::fputs(ReplayFilesLine(services_->ReplaySaves->Folder, replayFiles_).c_str(), stderr);
    }
    return shotFailed || reportFailed ? 1 : 0;
}

void Application::RunFrames() {
    while (options_.Frames < 0 || framesRun_ < options_.Frames) {
        if (options_.AbortAtFrame > 0 && framesRun_ + 1 == options_.AbortAtFrame) {
            std::abort();
        }
        const float nominal = 1.0f / static_cast<float>(services_->Graphics->FramesPerSecond);
        float delta = nominal;
        if (!options_.FixedStep) {
            pacer_->WaitUntilDue();
        }
        const uint64_t now = clock_.Now();
        if (!options_.FixedStep) {
            delta = pacer_->BeginFrame(now, services_->Graphics->FramesPerSecond,
                                       services_->Graphics->MaxCatchUpFrames);
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
            services_->Leaving->WindowClosed();
            break;
        }
        if (stats_) {
            stats_->FrameWork(static_cast<double>(ThreadCpuNanoseconds() - workStart) / 1e6);
            if (framesRun_ == 0) {
                stats_->ResidentAtStart(ResidentMemoryBytes());
            }
        }
        ++framesRun_;
        if (services_->Recorder) {
            services_->Recorder->Commit(framesRun_);
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
    keySink_ = std::make_unique<KeyboardToInput>(*services_->Input, !script_);
    // A replay is not recorded again: its file already is the recording.
    if (!options_.RecordPath.empty()) {
        services_->Recorder.Install(SessionRecorder::ToFile(options_.RecordPath, seed_));
    } else if (options_.ReplayPath.empty()) {
        services_->Recorder.Install(SessionRecorder::ForLastSession(seed_));
    }

    services_->Config->Load(content_.Find(GameConfigFile));
    // A replay rebuilds no atlases and copies no development content: those are the developer's.
    if (options_.ReplayPath.empty()) {
        services_->Development->Folder = services_->Config->DevelopmentContentPath();
    } else {
        CheckReplayDeltas(script_->Script(), options_.ReplayPath, services_->Graphics->FramesPerSecond,
                          services_->Graphics->MaxCatchUpFrames);
    }
    services_->Input->LoadMappings(content_.Find(KeyMappingsFile).string());
    // A replay steers with the bindings its session had, not with this machine's keymap.
    const std::filesystem::path keymap =
        options_.ReplayPath.empty() ? GetKeymapPath() : PlaceReplayKeymap(*script_, replayFiles_);
    services_->Keymap.Install(std::make_unique<KeymapKeeper>(keymap, *services_->Input));
    if (services_->Recorder) {
        services_->Recorder->KeymapRead(keymap);
    }
    // A development folder is the developer's own and written in place; otherwise edited prefabs
    // land in the overlay when there is one. A replay's land in its own overlay, over the player's.
    const std::filesystem::path prefabFolder = services_->Config->GetPrefabFolder(content_.Shipped);
    const bool shippedPrefabs = prefabFolder == content_.Shipped / "Prefabs";
    std::filesystem::path prefabOverlay =
        shippedPrefabs && !content_.Overlay.empty() ? content_.Overlay / "Prefabs" : std::filesystem::path();
    if (!options_.ReplayPath.empty()) {
        prefabOverlay = PlaceReplayPrefabs(prefabOverlay, replayFiles_);
    }
    services_->Prefabs->RegisterAll(RegisterAllClasses, prefabFolder, prefabOverlay);
    services_->Prefabs->Require("GameplayRoot");
    services_->Prefabs->Require("EditorRoot");

    window_ = options_.Headless
                  ? Window::CreateHeadless(services_->Graphics->Width, services_->Graphics->Height)
                  : Window::CreateDesktop(GameWindowIdentity(content_), services_->Graphics->Width,
                                          services_->Graphics->Height);
    services_->Leaving.Install(std::make_unique<LeavingGame>(*window_));
    if (!options_.Headless && options_.ReplayPath.empty()) {
        gamepads_ = std::make_unique<Gamepads>();
    }
    services_->Settings.Install(std::make_unique<SettingsKeeper>(
        options_.ReplayPath.empty() ? GetSettingsPath()
                                    : PlaceReplaySettings(GetSettingsPath(), replayFiles_),
        *window_, services_->Sounds->System(), *services_->MusicPlayback,
        options_.Headless ? SettingsKeeper::Run::Headless : SettingsKeeper::Run::Player));
    services_->Clipboard.Install(options_.Headless ? ClipboardBackend::CreateHeadless()
                                                   : ClipboardBackend::CreateDesktop());
    CreateRenderer(*services_->Graphics, *window_);
    services_->Graphics->renderer->PhysicsOverlay = [this](Renderer& renderer) {
        services_->DebugDrawer->LineStripOutput = [&renderer](const Vector2* points, int count, Color colour,
                                                              bool closed) {
            renderer.DrawLineStrip(points, count, colour, closed);
        };
        services_->DebugDrawer->DrawOverlay(*services_->World);
        services_->DebugDrawer->LineStripOutput = nullptr;
    };
    services_->Textures->LoadTextureBank("Main");
    services_->Fonts->LoadFontBank("Main");
    services_->Sounds->loadBank("Main");

    services_->Root->Name = "Root";
    auto* gameplayRoot = new GameObject("GameplayRoot");
    services_->Root->AppendChild(gameplayRoot);
    services_->Roots->GameplayRoot = gameplayRoot;
    // The editor sits beside the gameplay tree, so pausing the game never stops it.
    services_->Root->AppendChild(new GameObject("EditorRoot"));

    pacer_ = std::make_unique<FramePacer>(clock_, services_->Graphics->FramesPerSecond);
    if (options_.Stats) {
        stats_ = std::make_unique<FrameStats>(clock_.Frequency());
    }
}

bool Application::RunFrame(float frameDelta) {
    const FrameScene scene{*services_->Time,  *services_->Root,   *services_->Roots->GameplayRoot,
                           *services_->World, *services_->Queues, services_->Graphics->FramesPerSecond};
    const bool open = RunFrameOrder(scene, frameDelta, [this, frameDelta] {
        services_->Input->FrameUpdate();
        services_->Sounds->Update(frameDelta);
        services_->MusicPlayback->Update(frameDelta);
        if (!PumpMessages()) {
            return false;
        }
        if (services_->Recorder) {
            services_->Recorder->Frame(framesRun_ + 1, frameDelta,
                                       1.0f / static_cast<float>(services_->Graphics->FramesPerSecond),
                                       *services_->Input, services_->Graphics->HasFocus);
        }
        return true;
    });
    if (!open) {
        return false;
    }

    const bool lastFrame = options_.Frames >= 0 && framesRun_ + 1 == options_.Frames;
    if (lastFrame && !options_.ScreenshotPath.empty()) {
        services_->Graphics->renderer->RequestCapture();
    }
    services_->Graphics->renderer->RenderFrame(services_->Root.get(), *services_->Graphics);
    return true;
}

bool Application::PumpMessages() {
    // A script is the player's hands: it owns the pointer (the desktop's would undo its moves and
    // presses every frame), and its input counts whether or not the desktop focused the window (its
    // own focus lines aside). A replay's input is all in the recording: the window's keys are not.
    if (!script_) {
        const MouseState mouse = window_->Mouse();
        services_->Input->SetMousePosition(mouse.X, mouse.Y);
        services_->Input->SetKeyState(Key::LeftMouse, mouse.Left);
        services_->Input->SetKeyState(Key::MiddleMouse, mouse.Middle);
        services_->Input->SetKeyState(Key::RightMouse, mouse.Right);
    }
    services_->Graphics->HasFocus = script_ ? script_->HasFocus() : window_->HasFocus();
    const bool open = window_->PumpEvents(ignoredKeys_ ? *ignoredKeys_ : *keySink_);
    // Once a script holds the pad, the real pads' state would undo its presses every frame.
    if (gamepads_ && !(script_ && script_->OwnsPad())) {
        ApplyGamepad(gamepads_->Poll(), *services_->Input);
    }
    if (services_->Settings) {
        services_->Settings->Frame();
    }
    if (script_) {
        // Frames count from 1 in scripts: this is frame framesRun_ + 1.
        script_->Play(framesRun_ + 1, *services_->Input);
        if (replaySlots_) {
            replaySlots_->Frame(framesRun_ + 1);
        }
        if (script_->CloseAsked()) {
            window_->RequestClose();
        }
        services_->Graphics->HasFocus = script_->HasFocus();
    }
    return open;
}

void Application::StartReplay() {
    InputScript replay = LoadReplay(options_.ReplayPath);
    seed_ = *replay.Seed();
    services_->Random->Seed(seed_);
    if (options_.Frames < 0) {
        options_.Frames = ReplayFrames(replay);
    }
    script_ = std::make_unique<InputScriptPlayer>(std::move(replay));
    ignoredKeys_ = std::make_unique<NoKeys>();
    replaySlots_.Install(std::make_unique<ReplaySlots>(*script_));
    replayFiles_ = PrepareReplayFiles(options_.ReplayPath);
    services_->ReplaySaves.Install(
        std::make_unique<SlotFolderOverride>(SlotFolderOverride{PrepareReplaySaves(options_.ReplayPath)}));
}

void Application::ShutDown() {
    services_->Sounds->unloadBank("Main");
    services_->Fonts->UnloadFontBank("Main");
    services_->Textures->UnloadTextureBank("Editor");
    services_->Textures->UnloadTextureBank("Main");
    ReleaseRenderer(*services_->Graphics);
    // The services, the window and the pads go with the application, in their one order.
}

void Application::RunNaivePacerForComparison() {
    FrameStats naive(clock_.Frequency());
    const uint64_t period = clock_.Frequency() / static_cast<uint64_t>(services_->Graphics->FramesPerSecond);
    // A few seconds are enough for the comparison, however long the game ran.
    const int64_t frames = std::clamp<int64_t>(framesRun_, 30, NaivePacerFrames);
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
