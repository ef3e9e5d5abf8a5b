// The controls page in a window: docs/remap-controls.script stopped just after K was bound to
// "Steer down". The picture shows the page over the world, the new key picked out on its line, and
// the keymap is written as in a headless run.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include "GameProcess.h"
#include "platform/Image.h"

namespace {

namespace fs = std::filesystem;

TEST(ControlsWindowTest, ThePageShowsTheNewKeyPickedOutAndTheKeymapIsKept) {
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "no X display (scripts/test.sh starts Xvfb)";
    }
    const fs::path home = fs::absolute(fs::path(KELVANE_BIN_DIR) / ".." / "test-config" /
                                       ("controls-window-" + std::to_string(::getpid())));
    fs::remove_all(home);
    const fs::path shot = home / "controls.png";
    const fs::path state = home / "state.json";
    fs::create_directories(home);
    const GameRun run = RunGame({"--fixed-step", "--seed", "1", "--frames", "96", "--script",
                                 std::string(KELVANE_SOURCE_DIR) + "/docs/remap-controls.script",
                                 "--screenshot", shot.string(), "--game-state", state.string()},
                                {"XDG_CONFIG_HOME=" + home.string()});
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;

    boost::property_tree::ptree tree;
    boost::property_tree::read_json(state.string(), tree);
    std::string open;
    for (const auto& [key, menu] : tree.get_child("openMenus")) {
        open += menu.get_value<std::string>() + " ";
    }
    EXPECT_EQ(open, "UiControlsMenu ");
    std::ifstream keymap(home / "Kelvane" / "keymap.json");
    std::stringstream text;
    text << keymap.rdbuf();
    EXPECT_NE(text.str().find(R"("MoveDown": ["K", "Down")"), std::string::npos) << text.str();

    const DecodedImage image = DecodeImageFile(shot.string());
    fs::remove_all(home);
    ASSERT_EQ(image.Width, 1280);
    ASSERT_EQ(image.Height, 720);
    // Some pixel of the box matches.
    auto anyIn = [&](int x0, int y0, int x1, int y1, auto&& test) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const uint8_t* p = &image.Pixels[(static_cast<size_t>(y) * image.Width + x) * 4];
                if (test(p[0], p[1], p[2])) {
                    return true;
                }
            }
        }
        return false;
    };
    auto pale = [](int, int, int b) {
        return b > 150;
    };
    // The panel spans the world view: its pale frame near both edges, half way down.
    EXPECT_TRUE(anyIn(16, 358, 30, 362, pale));
    EXPECT_TRUE(anyIn(930, 358, 944, 362, pale));
    // "Steer down" is the second line; its first keyboard key, the one just bound, is picked out in
    // gold.
    auto gold = [](int r, int g, int b) {
        return r > 200 && g > 150 && b < 110;
    };
    EXPECT_TRUE(anyIn(380, 150, 410, 170, gold));
    EXPECT_FALSE(anyIn(380, 124, 410, 144, gold)) << "the line above is not picked out";
}

} // namespace
