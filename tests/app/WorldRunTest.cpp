#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "GameProcess.h"
#include "TestFolder.h"
#include "platform/Image.h"
#include "world/WorldMap.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

GameRun RunSeed(const std::string& seed, const std::string& map) {
    std::remove(map.c_str());
    return RunGame({"--headless", "--fixed-step", "--seed", seed, "--frames", "30", "--world-map", map});
}

TEST(WorldRunTest, TheSameSeedGivesAByteIdenticalWorldAndAnotherSeedAnother) {
    TestFolder folder;
    const std::string a = (folder / "world-a.png").string();
    const std::string b = (folder / "world-b.png").string();
    const std::string c = (folder / "world-c.png").string();
    for (const auto& [seed, map] : {std::pair{"7", a}, std::pair{"7", b}, std::pair{"8", c}}) {
        const GameRun run = RunSeed(seed, map);
        ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
        EXPECT_EQ(run.Stderr, "");
    }
    const std::string first = ReadAll(a);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(ReadAll(b), first);
    EXPECT_NE(ReadAll(c), first);
    // The README shows this very map, made with this command.
    EXPECT_TRUE(ReadAll(std::string(KELVANE_SOURCE_DIR) + "/docs/world-map-seed7.png") == first)
        << "docs/world-map-seed7.png is out of date: regenerate it with the README's command";

    // One pixel per cell in the listed colours: the boss rows with their 8-cell gaps, water at the
    // surface.
    const DecodedImage image = DecodeImageFile(a);
    ASSERT_EQ(image.Width, 150);
    ASSERT_EQ(image.Height, 430);
    auto pixel = [&](int c, int r) {
        const uint8_t* p = &image.Pixels[(static_cast<size_t>(r) * 150 + c) * 4];
        return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
    };
    EXPECT_EQ(pixel(0, 0), WorldMapColour(0));
    EXPECT_EQ(pixel(70, 205), WorldMapColour(9));
    EXPECT_EQ(pixel(71, 205), WorldMapColour(0));
    EXPECT_EQ(pixel(78, 225), WorldMapColour(0));
    EXPECT_EQ(pixel(79, 225), WorldMapColour(9));
    for (const std::string& map : {a, b, c}) {
        std::remove(map.c_str());
    }
}

TEST(WorldRunTest, AMapThatCannotBeWrittenFailsTheRunWithOneLine) {
    const GameRun run = RunSeed("1", "/nonexistent-folder/map.png");
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Stderr.find("/nonexistent-folder/map.png"), std::string::npos) << run.Stderr;
}

TEST(WorldRunTest, StatsReportStartUpAndFrameWork) {
    const GameRun run = RunGame({"--headless", "--fixed-step", "--seed", "3", "--frames", "60", "--stats"});
    EXPECT_EQ(run.ExitCode, 0) << run.Stderr;
    EXPECT_NE(run.Stdout.find("fixed step: 60 frames"), std::string::npos) << run.Stdout;
    EXPECT_NE(run.Stdout.find("start-up "), std::string::npos) << run.Stdout;
    EXPECT_NE(run.Stdout.find("frame work CPU mean"), std::string::npos) << run.Stdout;
}

} // namespace
