// The real game in a real window goes fullscreen with Alt+Enter: the window covers the screen, the
// logical screen is scaled into it, a click lands on the logical pixel under it, the screenshot is
// still the logical 1280 x 720 picture, and the next run starts fullscreen.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "StandInWindowManager.h"
#include "TestFolder.h"
#include "app/Application.h"
#include "app/SettingsKeeper.h"
#include "core/Service.h"
#include "input/InputManager.h"
#include "platform/Clock.h"
#include "platform/Image.h"
#include "platform/Letterbox.h"

extern char** environ;

namespace {

pid_t Xdotool(std::vector<std::string> args) {
    args.insert(args.begin(), "xdotool");
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    posix_spawnp(&pid, "xdotool", nullptr, nullptr, argv.data(), environ);
    return pid;
}

bool HaveXdotool() {
    return std::system("command -v xdotool >/dev/null 2>&1") == 0;
}

TEST(FullscreenTest, AltEnterCoversTheScreenAndClicksStillLandOnTheLogicalScreen) {
    if (!std::getenv("DISPLAY") || !HaveXdotool()) {
        GTEST_SKIP() << "needs an X display and xdotool (scripts/test.sh provides both)";
    }
    TestFolder folder;
    const std::string shot = (folder / "fullscreen.png").string();
    const std::filesystem::path config = folder / "config";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    AppOptions options;
    options.Frames = 300;
    options.ScreenshotPath = shot;
    SystemClock clock;
    Application game(options, clock);

    // A HUD panel pixel in logical coordinates, and where it lies on the fullscreen window.
    constexpr int LogicalX = 1120;
    constexpr int LogicalY = 400;
    std::unique_ptr<StandInWindowManager> wm;
    std::vector<pid_t> helpers;
    int fullWidth = 0;
    int fullHeight = 0;
    bool clickLanded = false;
    game.SetFrameObserver([&](int64_t frame) {
        // Taking over after the window is mapped: the game waits for its map, not for a manager.
        if (frame == 1) {
            wm = std::make_unique<StandInWindowManager>();
        }
        wm->Serve();
        if (frame == 20) {
            helpers.push_back(Xdotool(
                {"search", "--sync", "--name", "^Kelvane$", "windowfocus", "--sync", "key", "alt+Return"}));
        }
        if (frame == 120) {
            wm->WindowSize("Kelvane", fullWidth, fullHeight);
            const Letterbox box = Letterbox::Fit(fullWidth, fullHeight, 1280, 720);
            const int x = box.X + LogicalX * box.Width / 1280;
            const int y = box.Y + LogicalY * box.Height / 720;
            helpers.push_back(Xdotool({"mousemove", std::to_string(x), std::to_string(y), "mousedown", "1"}));
        }
        if (frame == 220) {
            helpers.push_back(Xdotool({"mouseup", "1"}));
        }
        const InputManager& input = Service<InputManager>::Get();
        clickLanded |= input.MousePosition.x == float(LogicalX) && input.MousePosition.y == float(LogicalY) &&
                       input.IsKeyDown(Key::LeftMouse);
    });
    ASSERT_EQ(game.Run(), 0);
    for (pid_t pid : helpers) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "xdotool failed";
    }
    ASSERT_TRUE(wm && wm->Active()) << "another window manager runs on this display";
    EXPECT_EQ(fullWidth, wm->ScreenWidth());
    EXPECT_EQ(fullHeight, wm->ScreenHeight());
    wm.reset(); // the next window maps on its own again
    EXPECT_TRUE(clickLanded) << "the click did not reach logical (" << LogicalX << ", " << LogicalY << ")";

    const DecodedImage image = DecodeImageFile(shot);
    std::remove(shot.c_str());
    ASSERT_EQ(image.Width, 1280);
    ASSERT_EQ(image.Height, 720);
    const uint8_t* hud = &image.Pixels[(static_cast<size_t>(LogicalY) * 1280 + LogicalX) * 4];
    EXPECT_GT(hud[0] + hud[1] + hud[2], 30) << "the HUD panel is not where the logical screen has it";

    bool whole = false;
    const Settings kept = LoadSettings(config / "Kelvane" / "settings.json", &whole);
    EXPECT_TRUE(whole);
    EXPECT_TRUE(kept.Fullscreen);
    EXPECT_EQ(kept.WindowWidth, 1280) << "the size to come back to";
    EXPECT_EQ(kept.WindowHeight, 720);

    AppOptions again;
    again.Frames = 5;
    Application next(again, clock);
    bool startedFullscreen = false;
    next.SetFrameObserver(
        [&](int64_t) { startedFullscreen = Service<SettingsKeeper>::Get().Current().Fullscreen; });
    ASSERT_EQ(next.Run(), 0);
    EXPECT_TRUE(startedFullscreen);
    std::filesystem::remove_all(config);
}

} // namespace
