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
        {"--headless", "--fixed-step", "--seed", "29", "--frames", "1030", "--script", Script}, "loadout");
    ASSERT_FALSE(tree.empty());
    EXPECT_EQ(Held(tree, "quickslotIndex"),
              (std::map<std::string, int>{{"Item_PlasticDrill", 1}, {"Item_DirtBlock", -1}}));
    EXPECT_EQ(tree.get<int>("money"), 8);
    EXPECT_FALSE(tree.get<bool>("paused"));
    EXPECT_EQ(OpenMenus(tree), "");
}

TEST(StoreGameTest, AFirstVisitSellsTheDrilledCopperAndBuysADirtBlock) {
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "no X display (scripts/test.sh starts Xvfb)";
    }
    // Stopped in the buy list, just after the purchase.
    const std::string shot =
        std::string(KELVANE_BIN_DIR) + "/store-buy-" + std::to_string(::getpid()) + ".png";
    const auto tree = StateAfter(
        {"--fixed-step", "--seed", "29", "--frames", "895", "--script", Script, "--screenshot", shot}, "buy");
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
    // The rows are sea blue; the selected one, the dirt block on the fourth row, is dark grey.
    const auto normal = pixel(700, 170);
    const auto selected = pixel(700, 386);
    EXPECT_GT(normal[2], normal[0] + 40);
    EXPECT_LT(selected[0] + selected[1] + selected[2], 150);
    EXPECT_LT(std::abs(selected[0] - selected[2]), 12);
    // The HUD panel stays visible beside the store.
    EXPECT_GT(pixel(1120, 400)[2], 30);
}

} // namespace
