#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "GameProcess.h"
#include "TestFolder.h"
#include "platform/Image.h"
#include "world/WorldMap.h"

namespace {

// The real game, headless: the submarine sinks onto the terrain below the start and the drill,
// held with the pointer below it, digs a shaft that the same seed without the drilling does not
// have.
TEST(PlayerRunTest, TheDrillHeldBelowTheSubmarineDigsAShaft) {
    TestFolder folder;
    const std::string stem = (folder / "shaft").string();
    const std::string plain = stem + "-plain.png";
    const std::string dug = stem + "-dug.png";
    const std::vector<std::string> args{"--headless", "--fixed-step", "--seed", "1", "--frames", "2400"};
    auto run = [&](const std::string& map, bool drill) {
        std::vector<std::string> all = args;
        all.insert(all.end(), {"--world-map", map});
        if (drill) {
            all.insert(all.end(), {"--script", std::string(KELVANE_SOURCE_DIR) + "/docs/dig-a-shaft.script"});
        }
        std::remove(map.c_str());
        return RunGame(all);
    };
    for (const auto& [map, drill] : {std::pair{plain, false}, std::pair{dug, true}}) {
        const GameRun result = run(map, drill);
        ASSERT_EQ(result.ExitCode, 0) << result.Stderr;
        EXPECT_EQ(result.Stderr, "");
    }
    const DecodedImage before = DecodeImageFile(plain);
    const DecodedImage after = DecodeImageFile(dug);
    ASSERT_EQ(before.Width, 150);
    ASSERT_EQ(after.Width, 150);
    auto code = [](const DecodedImage& image, int c, int r) {
        const uint8_t* p = &image.Pixels[(static_cast<size_t>(r) * 150 + c) * 4];
        return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
    };
    const uint32_t water = WorldMapColour(0);
    int opened = 0;
    int deepest = 0;
    for (int r = 0; r < 100; ++r) {
        for (int c = 0; c < 20; ++c) {
            if (code(before, c, r) != water && code(after, c, r) == water) {
                ++opened;
                deepest = std::max(deepest, r);
            }
        }
    }
    EXPECT_GE(opened, 15);
    EXPECT_GE(deepest, 40);
    // The copper the submarine lands on is the first tile to go.
    EXPECT_EQ(code(before, 9, 28), WorldMapColour(3));
    EXPECT_EQ(code(after, 9, 28), water);
    std::remove(plain.c_str());
    std::remove(dug.c_str());
}

// The real game, headless: steered down into a slot exactly two tiles wide and back out, the hull
// tilts little on its corners, reaches the slot's floor and climbs clear of it.
TEST(PlayerRunTest, TheSubmarineSteersIntoATwoWideSlotAndOutWithoutTipping) {
    TestFolder folder;
    const std::string stem = (folder / "slot").string();
    auto run = [&](int frames, const std::string& name) {
        const std::string state = stem + name + ".json";
        const GameRun result =
            RunGame({"--headless", "--fixed-step", "--seed", "12", "--frames", std::to_string(frames),
                     "--script", std::string(KELVANE_SOURCE_DIR) + "/tests/player/steer-into-a-gap.script",
                     "--game-state", state, "--world-map", stem + ".png"});
        EXPECT_EQ(result.ExitCode, 0) << result.Stderr;
        EXPECT_EQ(result.Stderr, "");
        std::ifstream in(state);
        std::ostringstream text;
        text << in.rdbuf();
        std::remove(state.c_str());
        return text.str();
    };
    auto number = [](const std::string& state, const std::string& key) {
        std::smatch match;
        const std::regex pattern("\"" + key + "\": ([-0-9.]+)");
        return std::regex_search(state, match, pattern) ? std::stof(match[1].str()) : 1000.0f;
    };

    const std::string atFloor = run(330, "-floor");
    // The slot is what the script steers for: open columns 24 and 25, walls at 23 and 26.
    const DecodedImage map = DecodeImageFile(stem + ".png");
    ASSERT_EQ(map.Width, 150);
    auto water = [&](int c, int r) {
        const uint8_t* p = &map.Pixels[(static_cast<size_t>(r) * 150 + c) * 4];
        return (static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]) == WorldMapColour(0);
    };
    for (int r = 53; r <= 54; ++r) {
        EXPECT_TRUE(!water(23, r) && water(24, r) && water(25, r) && !water(26, r)) << "row " << r;
    }
    std::remove((stem + ".png").c_str());
    EXPECT_NEAR(number(atFloor, "x"), 25.0f, 0.5f) << atFloor;
    EXPECT_LT(number(atFloor, "y"), -53.5f) << atFloor;

    const std::string out = run(440, "-out");
    EXPECT_GT(number(out, "y"), -45.0f) << out;
    // A step may carry the hull a little past the stop before it is caught.
    EXPECT_LE(number(out, "peak"), 0.6f) << out;
    EXPECT_LE(std::fabs(number(out, "now")), 0.4f) << out;
}

} // namespace
