#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "GameProcess.h"
#include "TestFolder.h"

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
    TestFolder folder;
    const std::string stem = (folder / "hud").string();
    const std::string script = stem + ".script";
    const std::string state = stem + "-state.json";
    std::ofstream(script) << "5 key down Oem2\n6 key up Oem2\n"
                             "10 key down Oem3\n11 key up Oem3\n"
                             "15 key down Esc\n16 key up Esc\n"
                             "25 key down Oem1\n26 key up Oem1\n";
    const GameRun run = RunGame({"--headless", "--fixed-step", "--seed", "1", "--frames", "40", "--script",
                                 script, "--game-state", state});
    const std::string report = ReadFile(state);
    std::remove(script.c_str());
    std::remove(state.c_str());
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
    EXPECT_NE(report.find("\"quickslotCount\": 2"), std::string::npos) << report;
    EXPECT_NE(report.find("\"selectedQuickslot\": 1"), std::string::npos) << report;
    EXPECT_NE(report.find("\"paused\": true"), std::string::npos) << report;
    EXPECT_NE(report.find("\"UiMainMenu\""), std::string::npos) << report;
}

// The real game: the submarine runs into the supply station beside the start, the third line of the
// store opens the loadout menu, the drill's row is dragged from the cargo list onto the second
// quick-slot frame, and "MenuCancel" goes back to the store's front page and then closes it with the
// game running again.
TEST(HudGameTest, LoadoutMenuMovesTheDrillToTheSlotItIsDroppedOn) {
    TestFolder folder;
    const std::string stem = (folder / "loadout").string();
    const std::string script = stem + ".script";
    const std::string state = stem + "-state.json";
    std::ofstream(script) << "5 key down D\n45 key up D\n"
                             "70 key down S\n71 key up S\n75 key down S\n76 key up S\n"
                             "80 key down OemEnter\n81 key up OemEnter\n"
                             "100 mouse move 1050 152\n102 button down LeftMouse\n"
                             "104 mouse move 1060 120\n106 mouse move 1066 60\n108 button up LeftMouse\n"
                             "115 key down Esc\n116 key up Esc\n122 key down Esc\n123 key up Esc\n";
    const GameRun run = RunGame({"--headless", "--fixed-step", "--seed", "3", "--frames", "140", "--script",
                                 script, "--game-state", state});
    const std::string report = ReadFile(state);
    std::remove(script.c_str());
    std::remove(state.c_str());
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
    EXPECT_NE(report.find("{\"name\": \"Item_PlasticDrill\", \"quantity\": 1, \"quickslotIndex\": 1}"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("\"paused\": false"), std::string::npos) << report;
    EXPECT_NE(report.find("\"openMenus\": []"), std::string::npos) << report;
}

} // namespace
