#include <gtest/gtest.h>

#include <algorithm>

#include "GameProcess.h"
#include "TestFolder.h"

namespace {

TEST(GameRunTest, HeadlessRunOfAFixedNumberOfFramesExitsCleanly) {
    // No frame at all: objects start-up queued for deletion never met a flush, yet shutdown is clean.
    for (const char* frames : {"120", "0"}) {
        const GameRun run = RunGame({"--headless", "--frames", frames});
        EXPECT_EQ(run.ExitCode, 0) << frames << " frames: " << run.Stderr;
        EXPECT_EQ(run.Stderr, "") << frames << " frames";
    }
}

TEST(GameRunTest, WithoutADisplaySaysHowToRunAndExitsNonZero) {
    const GameRun run = RunGame({"--frames", "1"}, {"DISPLAY=", "WAYLAND_DISPLAY=", "SDL_VIDEODRIVER="});
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_NE(run.Stderr.find("--headless"), std::string::npos) << run.Stderr;
    EXPECT_NE(run.Stderr.find("xvfb-run"), std::string::npos) << run.Stderr;
    EXPECT_EQ(std::count(run.Stderr.begin(), run.Stderr.end(), '\n'), 1) << run.Stderr;
}

TEST(GameRunTest, ScreenshotWithoutAWindowFailsWithOneLine) {
    TestFolder folder;
    const GameRun run =
        RunGame({"--headless", "--frames", "3", "--screenshot", (folder / "kelvane-no-window.png").string()});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(std::count(run.Stderr.begin(), run.Stderr.end(), '\n'), 1) << run.Stderr;
    EXPECT_NE(run.Stderr.find("kelvane-no-window.png"), std::string::npos) << run.Stderr;
}

TEST(GameRunTest, StatsReportBothPacers) {
    const GameRun run = RunGame({"--headless", "--frames", "30", "--stats"});
    EXPECT_EQ(run.ExitCode, 0) << run.Stderr;
    EXPECT_NE(run.Stdout.find("fixed-rate pacer: 30 frames"), std::string::npos) << run.Stdout;
    EXPECT_NE(run.Stdout.find("naive 16 ms sleep"), std::string::npos) << run.Stdout;
}

} // namespace
