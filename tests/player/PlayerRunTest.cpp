#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "GameProcess.h"
#include "platform/Image.h"
#include "world/WorldMap.h"

namespace {

// The real game, headless: the submarine sinks onto the terrain below the start and the drill,
// held with the pointer below it, digs a shaft that the same seed without the drilling does not
// have.
TEST(PlayerRunTest, TheDrillHeldBelowTheSubmarineDigsAShaft) {
    const std::string plain = "/tmp/kelvane-shaft-plain.png";
    const std::string dug = "/tmp/kelvane-shaft-dug.png";
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

} // namespace
