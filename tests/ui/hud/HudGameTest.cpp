#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "GameProcess.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The real game, headless, with the shipped HUD and key bindings: the second quick-slot key selects
// the second slot, the third does nothing with two slots, and once the menu is open the paused HUD
// ignores the first key.
TEST(HudGameTest, QuickSlotKeysSelectOnlyExistingSlotsAndRestWhileTheMenuIsOpen) {
    // Named per process: other runs of the suite may share /tmp.
    const std::string stem = "/tmp/kelvane-hud-" + std::to_string(::getpid());
    const std::string script = stem + ".script";
    const std::string state = stem + "-state.json";
    std::ofstream(script) << "5 key down Oem2\n6 key up Oem2\n"
                             "10 key down Oem3\n11 key up Oem3\n"
                             "15 key down Esc\n16 key up Esc\n"
                             "25 key down Oem1\n26 key up Oem1\n";
    const GameRun run = RunGame({"--headless", "--fixed-step", "--seed", "1", "--frames", "40", "--script", script,
                                 "--game-state", state});
    const std::string report = ReadFile(state);
    std::remove(script.c_str());
    std::remove(state.c_str());
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
    EXPECT_NE(report.find("\"quickslotCount\": 2"), std::string::npos) << report;
    EXPECT_NE(report.find("\"selectedQuickslot\": 1"), std::string::npos) << report;
    EXPECT_NE(report.find("\"paused\": true"), std::string::npos) << report;
    EXPECT_NE(report.find("\"UiMainMenu\""), std::string::npos) << report;
}

} // namespace
