// A first visit to the supply station in the real game, in a window, played by a script
// (docs/visit-the-store.script): a new game from the main menu, copper drilled below the start,
// the station touched, the copper sold, a dirt block bought. The game's state at exit and the last
// picture show where it got to.
#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include "GameProcess.h"
#include "platform/Image.h"

namespace {

TEST(StoreGameTest, AFirstVisitSellsTheDrilledCopperAndBuysADirtBlock) {
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "no X display (scripts/test.sh starts Xvfb)";
    }
    // Beside the game, in the build folder, named per process.
    const std::string stem = std::string(KELVANE_BIN_DIR) + "/store-visit-" + std::to_string(::getpid());
    const std::string shot = stem + ".png";
    const std::string state = stem + ".json";
    const GameRun run = RunGame({"--fixed-step", "--seed", "29", "--frames", "900", "--script",
                                 std::string(KELVANE_SOURCE_DIR) + "/docs/visit-the-store.script", "--screenshot",
                                 shot, "--game-state", state});
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;

    boost::property_tree::ptree tree;
    boost::property_tree::read_json(state, tree);
    std::remove(state.c_str());
    std::map<std::string, int> held;
    for (const auto& [key, item] : tree.get_child("items")) {
        held[item.get<std::string>("name")] = item.get<int>("quantity");
    }
    // Two pieces of copper sold at 5 each, one dirt block bought for 2.
    EXPECT_EQ(held, (std::map<std::string, int>{{"Item_PlasticDrill", 1}, {"Item_DirtBlock", 1}}));
    EXPECT_EQ(tree.get<int>("money"), 8);
    EXPECT_EQ(tree.get<int>("storageUsed"), 2);
    EXPECT_TRUE(tree.get<bool>("paused"));
    std::string open;
    for (const auto& [key, menu] : tree.get_child("openMenus")) {
        open += menu.get_value<std::string>() + " ";
    }
    EXPECT_EQ(open, "UiSupplyBuyMenu ");

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
