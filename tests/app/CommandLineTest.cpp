#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

TEST(CommandLineTest, ReadsEveryOption) {
    const auto r = ParseCommandLine({"--headless", "--frames", "120", "--seed", "7", "--script", "a.txt",
                                     "--screenshot", "s.png", "--stats", "--fixed-step", "--world-map",
                                     "m.png", "--game-state", "g.json", "--content", "C"});
    ASSERT_TRUE(r.Options);
    EXPECT_TRUE(r.Options->Headless);
    EXPECT_EQ(r.Options->Frames, 120);
    EXPECT_EQ(r.Options->Seed, 7u);
    EXPECT_EQ(r.Options->ScriptPath, "a.txt");
    EXPECT_EQ(r.Options->ScreenshotPath, "s.png");
    EXPECT_TRUE(r.Options->Stats);
    EXPECT_TRUE(r.Options->FixedStep);
    EXPECT_EQ(r.Options->WorldMapPath, "m.png");
    EXPECT_EQ(r.Options->GameStatePath, "g.json");
    EXPECT_EQ(r.Options->ContentPath, "C");

    EXPECT_EQ(ParseCommandLine({"--record", "r.replay"}).Options->RecordPath, "r.replay");
    const auto replay = ParseCommandLine({"--replay", "r.replay"});
    ASSERT_TRUE(replay.Options);
    EXPECT_EQ(replay.Options->ReplayPath, "r.replay");
    EXPECT_TRUE(replay.Options->FixedStep); // the recorded frame lengths, whatever the machine
}

TEST(CommandLineTest, HelpAndVersionPrintAndExitZero) {
    EXPECT_EQ(ParseCommandLine({"--help"}).ExitCode, 0);
    EXPECT_NE(ParseCommandLine({"--help"}).Output.find("--frames"), std::string::npos);
    EXPECT_EQ(ParseCommandLine({"--version"}).Output.rfind("kelvane ", 0), 0u);
}

TEST(CommandLineTest, BadValuesAreRefusedWithStatusTwo) {
    for (auto args :
         std::vector<std::vector<std::string>>{{"--frames"},
                                               {"--frames", "-1"},
                                               {"--frames", "12x"},
                                               {"--seed", "4294967296"},
                                               {"--bogus"},
                                               {"--screenshot", "s.png"},
                                               {"--world-map"},
                                               {"--game-state"},
                                               {"--content"},
                                               {"--record"},
                                               {"--replay"},
                                               {"--replay", "r.replay", "--seed", "1"},
                                               {"--replay", "r.replay", "--script", "s.txt"},
                                               {"--replay", "r.replay", "--record", "s.replay"}}) {
        const auto r = ParseCommandLine(args);
        EXPECT_FALSE(r.Options);
        EXPECT_EQ(r.ExitCode, 2);
        EXPECT_NE(r.Output.find("--help"), std::string::npos);
    }
}

} // namespace
