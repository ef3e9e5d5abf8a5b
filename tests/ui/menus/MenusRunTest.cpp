#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "GameProcess.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The submarine's y in a game-state report (0 without one).
float SubY(const std::string& state) {
    std::smatch match;
    const std::regex pattern(R"re("sub": \{"x": [-0-9.]+, "y": ([-0-9.]+)\})re");
    return std::regex_search(state, match, pattern) ? std::stof(match[1].str()) : 0.0f;
}

// The real game, headless: the menu key opens the main menu and holds the game; "New Game" asks
// first, and once answered yes starts a game in a new world that then runs on its own.
TEST(MenusRunTest, TheMenuKeyOpensTheMainMenuAndNewGameStartsAGameThatRuns) {
    const std::string stem = "/tmp/kelvane-menus-" + std::to_string(::getpid());
    const std::string script = std::string(KELVANE_SOURCE_DIR) + "/tests/ui/menus/new-game.script";
    auto run = [&](int frames, bool scripted, const std::string& name) {
        std::vector<std::string> args{
            "--headless",  "--fixed-step",         "--seed",       "1",
            "--frames",    std::to_string(frames), "--game-state", stem + name + ".json",
            "--world-map", stem + name + ".png"};
        if (scripted) {
            args.insert(args.end(), {"--script", script});
        }
        const GameRun result = RunGame(args);
        EXPECT_EQ(result.ExitCode, 0) << result.Stderr;
        EXPECT_EQ(result.Stderr, "");
        return ReadFile(stem + name + ".json");
    };

    const std::string inMenu = run(229, true, "-menu");
    EXPECT_NE(inMenu.find(R"("paused": true)"), std::string::npos) << inMenu;
    EXPECT_NE(inMenu.find(R"("openMenus": ["UiMainMenu"])"), std::string::npos) << inMenu;
    const float settled = SubY(inMenu);

    const std::string newGame = run(400, true, "-new");
    const std::string plain = run(400, false, "-plain");
    EXPECT_NE(newGame.find(R"("paused": false)"), std::string::npos) << newGame;
    EXPECT_NE(newGame.find(R"("openMenus": [])"), std::string::npos) << newGame;
    EXPECT_NE(newGame.find(R"("money": 0)"), std::string::npos) << newGame;
    EXPECT_NE(newGame.find(R"("ownedSubs": 1)"), std::string::npos) << newGame;
    // Back up at the spawn point (y -15) after settling below it, and sinking again since.
    const float after = SubY(newGame);
    EXPECT_LT(settled, -16.0f);
    EXPECT_GT(after, settled);
    EXPECT_LT(after, -15.5f);
    // A new world: the map differs from the first world's after the same number of frames.
    EXPECT_NE(ReadFile(stem + "-new.png"), ReadFile(stem + "-plain.png"));
    EXPECT_NE(plain, "");
    for (const char* name : {"-menu", "-new", "-plain"}) {
        std::remove((stem + name + ".json").c_str());
        std::remove((stem + name + ".png").c_str());
    }
}

// "New Game" answered no: back on the main menu with the game held, and the same world as a run
// that never opened the menu.
TEST(MenusRunTest, NewGameAnsweredNoKeepsTheGame) {
    const std::string stem = "/tmp/kelvane-menus-no-" + std::to_string(::getpid());
    std::ofstream(stem + ".script")
        << "200 key down Esc\n202 key up Esc\n230 key down OemEnter\n232 key up OemEnter\n"
           "236 key down Esc\n238 key up Esc\n";
    const GameRun declined =
        RunGame({"--headless", "--fixed-step", "--seed", "1", "--frames", "260", "--script", stem + ".script",
                 "--game-state", stem + ".json", "--world-map", stem + ".png"});
    const GameRun plain = RunGame(
        {"--headless", "--fixed-step", "--seed", "1", "--frames", "260", "--world-map", stem + "-plain.png"});
    ASSERT_EQ(declined.ExitCode, 0) << declined.Stderr;
    ASSERT_EQ(plain.ExitCode, 0) << plain.Stderr;
    const std::string state = ReadFile(stem + ".json");
    EXPECT_NE(state.find(R"("paused": true)"), std::string::npos) << state;
    EXPECT_NE(state.find(R"("openMenus": ["UiMainMenu"])"), std::string::npos) << state;
    EXPECT_EQ(ReadFile(stem + ".png"), ReadFile(stem + "-plain.png"));
    for (const char* name : {".script", ".json", ".png", "-plain.png"}) {
        std::remove((stem + name).c_str());
    }
}

} // namespace
