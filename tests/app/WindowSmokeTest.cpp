#include <gtest/gtest.h>
// Xlib's macros (None, Bool, ...) collide with GoogleTest's names, so it comes after.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "GameProcess.h"
#include "TestFolder.h"
#include "XWindowSearch.h"
#include "platform/Image.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// SDL may replace the window it first creates (to get a GL visual), so a window found early can
// vanish: Xlib errors about it are ignored, and only a mapped window counts as the game's.
int IgnoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

Window FindShownWindowNamed(Display* display, const char* title) {
    const Window window = FindXWindowNamed(display, DefaultRootWindow(display), title);
    XWindowAttributes attributes{};
    if (!window || !XGetWindowAttributes(display, window, &attributes) ||
        attributes.map_state != IsViewable) {
        return 0;
    }
    return window;
}

TEST(WindowSmokeTest, RealWindowHasTitleAndClientSizeAndClosingItEndsTheGameWithStatusZero) {
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "no X display (scripts/test.sh starts Xvfb)";
    }
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    XSetErrorHandler(IgnoreXErrors);

    const int pid = StartGame({});
    ASSERT_GT(pid, 0);
    Window window = 0;
    for (int i = 0; i < 200 && !window; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        window = FindShownWindowNamed(display, "Kelvane");
    }
    ASSERT_NE(window, 0u) << "no window titled Kelvane appeared";

    // Launchers tie it to the desktop entry: its class is the entry's StartupWMClass, and it has
    // the game's icon.
    const std::string entry =
        ReadFile(std::string(KELVANE_BIN_DIR) + "/../packaging/org.kelvane.Kelvane.desktop");
    EXPECT_NE(entry.find("\nStartupWMClass=org.kelvane.Kelvane\n"), std::string::npos) << entry;
    XClassHint classHint{};
    ASSERT_NE(XGetClassHint(display, window, &classHint), 0);
    EXPECT_STREQ(classHint.res_class, "org.kelvane.Kelvane");
    XFree(classHint.res_name);
    XFree(classHint.res_class);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* icon = nullptr;
    // The window may be mapped a moment before its icon is set.
    for (int i = 0; i < 100 && !icon; ++i) {
        XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), 0, 2, False,
                           AnyPropertyType, &type, &format, &count, &after, &icon);
        if (!icon) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    ASSERT_NE(icon, nullptr) << "no icon";
    EXPECT_EQ(reinterpret_cast<const long*>(icon)[0], 64);
    XFree(icon);

    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    EXPECT_EQ(attributes.width, 1280);
    EXPECT_EQ(attributes.height, 720);

    XSizeHints hints{};
    long supplied = 0;
    XGetWMNormalHints(display, window, &hints, &supplied);
    EXPECT_TRUE(!(hints.flags & PMaxSize) || hints.max_width > hints.min_width)
        << "the player may resize the window";

    // What a window manager sends when the player clicks the close button.
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &close);
    XFlush(display);

    EXPECT_EQ(WaitForGame(pid, 10.0), 0);
    XCloseDisplay(display);
}

} // namespace

namespace {

TEST(ScreenshotTest, LastFrameIsSavedAsAPngOfTheWholeClientArea) {
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "no X display (scripts/test.sh starts Xvfb)";
    }
    TestFolder folder;
    const std::string shot = (folder / "shot.png").string();
    const GameRun run = RunGame({"--frames", "5", "--fixed-step", "--seed", "7", "--screenshot", shot});
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
    const DecodedImage image = DecodeImageFile(shot);
    ASSERT_EQ(image.Width, 1280);
    ASSERT_EQ(image.Height, 720);
    std::remove(shot.c_str());

    // What the shipped GameplayRoot draws from the Main banks: the world of seed 7 around the start
    // (open water under the surface, the supply station, terrain filling in towards the bottom of
    // the view), the HUD panel in the right 320 pixels with five quick-slot frames, and the section
    // title in bright text.
    auto pixel = [&](int x, int y) {
        const uint8_t* p = &image.Pixels[(static_cast<size_t>(y) * image.Width + x) * 4];
        return std::array<int, 3>{p[0], p[1], p[2]};
    };
    auto brightness = [&](int x, int y) {
        const auto p = pixel(x, y);
        return p[0] + p[1] + p[2];
    };
    const auto water = pixel(480, 100); // shaded by depth: blue near the surface
    EXPECT_GT(water[2], water[0]) << "open water is not blue";
    EXPECT_GT(water[2], water[1]) << "open water is not blue";
    EXPECT_GT(brightness(224, 224), 100) << "no supply station";
    int terrainPixels = 0;
    for (int x = 0; x < 960; ++x) {
        terrainPixels += brightness(x, 710) > 0;
    }
    EXPECT_GT(terrainPixels, 300) << "no tiles at the bottom of the world view";
    EXPECT_GT(brightness(1120, 400), 30) << "no HUD panel";
    for (int left : {980, 1035, 1093, 1150, 1208}) {
        // A frame's border is lighter than the well inside it.
        EXPECT_GT(brightness(left, 50), brightness(left + 27, 50) + 60) << "no quick-slot frame at " << left;
    }
    int brightTextPixels = 0;
    // The "Cargo" caption above the list, lighter than the panel behind it.
    for (int y = 112; y < 132; ++y) {
        for (int x = 1085; x < 1130; ++x) {
            brightTextPixels += brightness(x, y) > 400;
        }
    }
    EXPECT_GT(brightTextPixels, 20) << "no section title text";

    const GameRun unwritable = RunGame({"--frames", "2", "--screenshot", "/nonexistent-folder/shot.png"});
    EXPECT_EQ(unwritable.ExitCode, 1);
    EXPECT_NE(unwritable.Stderr.find("/nonexistent-folder/shot.png"), std::string::npos) << unwritable.Stderr;
}

// A session in a window, on the fixed-rate pacer of a busy display, replays headless and in a window
// to the same state.
TEST(WindowReplayTest, AWindowedSessionReplaysToTheSameStateHeadlessAndInAWindow) {
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "no X display (scripts/test.sh starts Xvfb)";
    }
    TestFolder folder;
    const std::string base = (folder / "replay").string();
    const std::string recording = base + ".replay";
    const std::string state = "XDG_STATE_HOME=" + base + "-state";
    const GameRun played =
        RunGame({"--frames", "240", "--script", std::string(KELVANE_SOURCE_DIR) + "/docs/dig-a-shaft.script",
                 "--record", recording, "--game-state", base + "-played.json"},
                {state});
    ASSERT_EQ(played.ExitCode, 0) << played.Stderr;
    for (const bool headless : {true, false}) {
        std::vector<std::string> args{"--replay", recording, "--game-state", base + "-replayed.json"};
        if (headless) {
            args.push_back("--headless");
        }
        const GameRun replayed = RunGame(args, {state});
        ASSERT_EQ(replayed.ExitCode, 0) << replayed.Stderr;
        EXPECT_EQ(ReadFile(base + "-replayed.json"), ReadFile(base + "-played.json"))
            << "headless: " << headless;
    }
    std::filesystem::remove_all(base + "-state");
    for (const char* suffix : {".replay", "-played.json", "-replayed.json"}) {
        std::remove((base + suffix).c_str());
    }
}

} // namespace
