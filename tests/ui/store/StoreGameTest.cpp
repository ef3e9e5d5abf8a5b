// A first visit to the supply station in the real game, played by a script
// (docs/visit-the-store.script): a new game from the main menu, copper drilled below the start,
// the station touched, the copper sold, a dirt block bought, the drill dragged to another quick
// slot on the loadout page. The game's state at exit, and a picture of the buy list in a window,
// show where it got to.
#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include "GameProcess.h"
#include "platform/Image.h"

namespace {

const std::string Script = std::string(KELVANE_SOURCE_DIR) + "/docs/visit-the-store.script";

// The state the game reports at exit; the file goes beside the game, named per process.
boost::property_tree::ptree StateAfter(std::vector<std::string> args, const std::string& tag) {
    const std::string state =
        std::string(KELVANE_BIN_DIR) + "/store-" + tag + "-" + std::to_string(::getpid()) + ".json";
    args.insert(args.end(), {"--game-state", state});
    const GameRun run = RunGame(args);
    EXPECT_EQ(run.ExitCode, 0) << run.Stderr;
    boost::property_tree::ptree tree;
    if (run.ExitCode == 0) {
        boost::property_tree::read_json(state, tree);
    }
    std::remove(state.c_str());
    return tree;
}

std::map<std::string, int> Held(const boost::property_tree::ptree& tree, const char* field) {
    std::map<std::string, int> held;
    for (const auto& [key, item] : tree.get_child("items")) {
        held[item.get<std::string>("name")] = item.get<int>(field);
    }
    return held;
}

std::string OpenMenus(const boost::property_tree::ptree& tree) {
    std::string open;
    for (const auto& [key, menu] : tree.get_child("openMenus")) {
        open += menu.get_value<std::string>() + " ";
    }
    return open;
}

TEST(StoreGameTest, TheWholeVisitEndsWithTheDrillInTheSecondSlotAndTheGameRunning) {
    const auto tree = StateAfter(
        {"--headless", "--fixed-step", "--seed", "29", "--frames", "1046", "--script", Script}, "loadout");
    ASSERT_FALSE(tree.empty());
    EXPECT_EQ(Held(tree, "quickslotIndex"),
              (std::map<std::string, int>{{"Item_PlasticDrill", 1}, {"Item_DirtBlock", -1}}));
    EXPECT_EQ(tree.get<int>("money"), 8);
    EXPECT_FALSE(tree.get<bool>("paused"));
    EXPECT_EQ(OpenMenus(tree), "");
}

// Plays a script of the given lines with seed 3, where holding D from frame 5 runs the submarine
// into the station beside the start (its store opens at about frame 22); the state after frames.
boost::property_tree::ptree StateAfterScript(const std::string& lines, int frames, const std::string& tag) {
    const std::string script =
        std::string(KELVANE_BIN_DIR) + "/store-" + tag + "-" + std::to_string(::getpid()) + ".script";
    std::ofstream(script) << lines;
    auto tree = StateAfter(
        {"--headless", "--fixed-step", "--seed", "3", "--frames", std::to_string(frames), "--script", script},
        tag);
    std::remove(script.c_str());
    return tree;
}

TEST(StoreGameTest, AKeyHeldWhileTheStoreOpensDoesNotMoveItsCursor) {
    // S is held from before the touch until long after, so it would repeat through the front page;
    // the Enter pressed after letting it go chooses the first line.
    const auto tree = StateAfterScript("5 key down D\n15 key down S\n45 key up D\n60 key up S\n"
                                       "70 key down OemEnter\n72 key up OemEnter\n",
                                       90, "held");
    ASSERT_FALSE(tree.empty());
    EXPECT_EQ(OpenMenus(tree), "UiSupplyBuyMenu ");
}

TEST(StoreGameTest, KeysTappedWithinOneFrameMoveAndChooseInTheStore) {
    // Down and Enter, each pressed and let go between two frames: "Sell" is chosen.
    const auto tree = StateAfterScript("5 key down D\n45 key up D\n70 key down S\n70 key up S\n"
                                       "80 key down OemEnter\n80 key up OemEnter\n",
                                       100, "tapped");
    ASSERT_FALSE(tree.empty());
    EXPECT_EQ(OpenMenus(tree), "UiSupplySellMenu ");
}

// Seed 3: sink below the station, go under it and rise into it with W held from frame 60; the
// store opens at about frame 110. W is let go at `release` (a held W repeats every few frames: the
// frame it is let go in must not move the cursor either), and Enter then chooses the first line.
boost::property_tree::ptree ArriveHoldingW(int release, const std::string& tag) {
    return StateAfterScript("5 key down S\n25 key up S\n25 key down D\n60 key up D\n60 key down W\n" +
                                std::to_string(release) +
                                " key up W\n400 key down OemEnter\n401 key up OemEnter\n",
                            420, tag);
}

TEST(StoreGameTest, ArrivingWithWHeldLeavesTheCursorOnTheFirstLineWhenWIsLetGo) {
    for (const int release : {130, 131, 132, 300}) {
        const auto tree = ArriveHoldingW(release, "arrive" + std::to_string(release));
        ASSERT_FALSE(tree.empty());
        EXPECT_EQ(OpenMenus(tree), "UiSupplyBuyMenu ") << "W let go at frame " << release;
    }
}

TEST(StoreGameTest, TheLoadoutWorksWithKeysAndEscGoesBackToTheFrontPage) {
    // Front page: down twice to "Loadout"; there D picks the second quick slot, Enter puts the
    // chosen weapon (the drill, the only one) in it, Esc goes back to the front page.
    const auto tree =
        StateAfterScript("5 key down D\n45 key up D\n70 key down S\n71 key up S\n"
                         "80 key down S\n81 key up S\n90 key down OemEnter\n91 key up OemEnter\n"
                         "110 key down D\n111 key up D\n120 key down OemEnter\n121 key up OemEnter\n"
                         "130 key down Esc\n131 key up Esc\n",
                         150, "loadoutkeys");
    ASSERT_FALSE(tree.empty());
    EXPECT_EQ(Held(tree, "quickslotIndex"), (std::map<std::string, int>{{"Item_PlasticDrill", 1}}));
    EXPECT_EQ(OpenMenus(tree), "UiSupplyMainMenu ");
}

TEST(StoreGameTest, TheLastDrillCannotBeSoldEvenWithEnterHeld) {
    // Front page, down to "Sell", choose it, then hold Enter on the only item: the drill in the
    // first quick slot.
    const auto tree = StateAfterScript("5 key down D\n45 key up D\n70 key down S\n71 key up S\n"
                                       "80 key down OemEnter\n81 key up OemEnter\n"
                                       "100 key down OemEnter\n130 key up OemEnter\n",
                                       140, "lastdrill");
    ASSERT_FALSE(tree.empty());
    EXPECT_EQ(Held(tree, "quickslotIndex"), (std::map<std::string, int>{{"Item_PlasticDrill", 0}}));
    EXPECT_EQ(tree.get<int>("money"), 0);
    EXPECT_EQ(OpenMenus(tree), "UiSupplySellMenu ");
}

TEST(StoreGameTest, AFirstVisitSellsTheDrilledCopperAndBuysADirtBlock) {
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "no X display (scripts/test.sh starts Xvfb)";
    }
    // Stopped in the buy list, just after the purchase.
    const std::string shot =
        std::string(KELVANE_BIN_DIR) + "/store-buy-" + std::to_string(::getpid()) + ".png";
    const auto tree = StateAfter(
        {"--fixed-step", "--seed", "29", "--frames", "901", "--script", Script, "--screenshot", shot}, "buy");
    ASSERT_FALSE(tree.empty());
    // Two pieces of copper sold at 5 each, one dirt block bought for 2.
    EXPECT_EQ(Held(tree, "quantity"),
              (std::map<std::string, int>{{"Item_PlasticDrill", 1}, {"Item_DirtBlock", 1}}));
    EXPECT_EQ(tree.get<int>("money"), 8);
    EXPECT_EQ(tree.get<int>("storageUsed"), 2);
    EXPECT_TRUE(tree.get<bool>("paused"));
    EXPECT_EQ(OpenMenus(tree), "UiSupplyBuyMenu ");

    const DecodedImage image = DecodeImageFile(shot);
    std::remove(shot.c_str());
    ASSERT_EQ(image.Width, 1280);
    ASSERT_EQ(image.Height, 720);
    auto pixel = [&](int x, int y) {
        const uint8_t* p = &image.Pixels[(static_cast<size_t>(y) * image.Width + x) * 4];
        return std::array<int, 3>{p[0], p[1], p[2]};
    };
    // The buy list's panel is centred on the world view: its pale frame at the left and right edges.
    for (int x : {121, 838}) {
        EXPECT_GT(pixel(x, 360)[2], 150) << "no panel frame at x " << x;
    }
    // The rows are a dark sea blue; the selected one, the dirt block on the fourth row, is the
    // brightest, inside a gold rim.
    const auto normal = pixel(700, 170);
    const auto selected = pixel(700, 386);
    const auto rim = pixel(151, 386);
    EXPECT_GT(normal[2], normal[0] + 40);
    EXPECT_GT(selected[0] + selected[1] + selected[2], normal[0] + normal[1] + normal[2] + 150);
    EXPECT_GT(rim[0], rim[2] + 60);
    // The HUD panel stays visible beside the store.
    EXPECT_GT(pixel(1120, 400)[2], 30);
}

} // namespace
