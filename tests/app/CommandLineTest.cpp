#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <utility>

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

// The manual page's OPTIONS (each the ".B" or ".BI" line after a ".TP") and --help's option lines
// ("  --name ARG") name the same options with the same arguments, so the two cannot drift apart.
TEST(CommandLineTest, TheManualPageListsEveryOptionOfHelpWithItsArgument) {
    std::set<std::string> help;
    std::istringstream helpText(ParseCommandLine({"--help"}).Output);
    const std::regex helpLine(R"(^  (--[a-z-]+)( [A-Z]+)?(\s|$).*)");
    std::smatch match;
    for (std::string line; std::getline(helpText, line);) {
        if (std::regex_match(line, match, helpLine)) {
            help.insert(match[1].str() + match[2].str());
        }
    }

    std::ifstream page(std::string(KELVANE_SOURCE_DIR) + "/packaging/kelvane.6");
    ASSERT_TRUE(page) << "packaging/kelvane.6 is missing";
    std::set<std::string> manual;
    const std::regex optionLine(R"re(^\.BI? ((?:\\-|[a-z])+)(?: " ([A-Z]+)")?$)re");
    bool inOptions = false;
    bool tagLine = false;
    for (std::string line; std::getline(page, line);) {
        const bool tag = std::exchange(tagLine, line == ".TP");
        if (line.rfind(".SH", 0) == 0) {
            inOptions = line == ".SH OPTIONS";
        } else if (inOptions && tag && std::regex_match(line, match, optionLine)) {
            const std::string name = std::regex_replace(match[1].str(), std::regex(R"(\\-)"), "-");
            manual.insert(name + (match[2].matched ? " " + match[2].str() : ""));
        }
    }
    EXPECT_GT(help.size(), 10u);
    EXPECT_EQ(manual, help);
}

} // namespace
