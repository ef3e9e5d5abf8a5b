#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "GameProcess.h"
#include "TestFolder.h"

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
    TestFolder folder;
    const std::string stem = (folder / "menus").string();
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
    // Back up at the spawn point (y -15) after steering below it, and hovering there since.
    const float after = SubY(newGame);
    EXPECT_LT(settled, -16.0f);
    EXPECT_NEAR(after, -15.0f, 0.5f);
    // A new world: the map differs from the first world's after the same number of frames.
    EXPECT_NE(ReadFile(stem + "-new.png"), ReadFile(stem + "-plain.png"));
    EXPECT_NE(plain, "");
    for (const char* name : {"-menu", "-new", "-plain"}) {
        std::remove((stem + name + ".json").c_str());
        std::remove((stem + name + ".png").c_str());
    }
}

// A key tapped in a script: down for two frames, the next tap four frames later.
void Tap(std::ofstream& script, int& frame, const char* key) {
    script << frame << " key down " << key << "\n" << frame + 2 << " key up " << key << "\n";
    frame += 6;
}

std::string Field(const std::string& state, const std::string& key) {
    std::smatch match;
    const std::regex pattern("\"" + key + "\": ([a-z0-9.-]+)");
    return std::regex_search(state, match, pattern) ? match[1].str() : "?";
}

void PutInt(std::vector<char>& bytes, size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
    }
}
int32_t GetInt(const std::vector<char>& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
    }
    return static_cast<int32_t>(value);
}

// The real game, headless, with a saved game patched to a finished game: the boss beaten, the
// reward paid (3000 money, its storage and nuke factory), every good unlocked, the submarine below
// the chamber. Loading it pays no second reward; New Game after it is a fresh start: the boss
// unbeaten, the reward to come, sales and unlocks cleared, the submarine at the surface spawn.
TEST(MenusRunTest, AfterAFinishedGameLoadingPaysNoSecondRewardAndNewGameStartsAfresh) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(KELVANE_BIN_DIR) / ".." / "test-saves" / "new-game";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::vector<std::string> env{"XDG_DATA_HOME=" + folder.string()};
    const auto run = [&](const std::string& name, int frames, const std::string& script) {
        const std::string state = (folder / (name + ".json")).string();
        const GameRun result = RunGame({"--headless", "--fixed-step", "--seed", "1", "--frames",
                                        std::to_string(frames), "--script", script, "--game-state", state},
                                       env);
        EXPECT_EQ(result.ExitCode, 0) << result.Stderr;
        EXPECT_EQ(result.Stderr, "");
        return ReadFile(state);
    };

    const std::string saveScript = (folder / "save.script").string();
    int frame = 30;
    {
        std::ofstream script(saveScript);
        Tap(script, frame, "Esc");
        Tap(script, frame, "Down");
        Tap(script, frame, "Down");
        Tap(script, frame, "Down");
        Tap(script, frame, "Space"); // Save
        Tap(script, frame, "Space"); // slot 1
    }
    run("saved", frame + 5, saveScript);
    const fs::path slot = folder / "Kelvane" / "SavedGame1.sav";
    std::vector<char> bytes;
    {
        std::ifstream in(slot, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    ASSERT_GT(bytes.size(), 64600u);
    const size_t unlock = 4 + static_cast<size_t>(GetInt(bytes, 8));
    const size_t player = 4 + static_cast<size_t>(GetInt(bytes, 12));
    ASSERT_EQ(GetInt(bytes, unlock + 4), 3); // three unlock counts
    PutInt(bytes, unlock, 15);
    for (int i = 0; i < 3; ++i) {
        PutInt(bytes, unlock + 8 + 4 * i, 40);
    }
    const float deep[2] = {75.0f, -226.0f};
    std::memcpy(&bytes[player], deep, sizeof deep);
    PutInt(bytes, player + 20, 3000);  // money
    PutInt(bytes, player + 24, 10000); // storage
    bytes[player + 36] = 1;            // the boss beaten
    const std::string nuke = "Item_NukeFactory";
    bytes.insert(bytes.end(), nuke.begin(), nuke.end());
    bytes.insert(bytes.end(), {0, 1, 0, 0, 0}); // the name's end and quantity 1
    std::ofstream(slot, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

    const std::string playScript = (folder / "play.script").string();
    frame = 30;
    {
        std::ofstream script(playScript);
        Tap(script, frame, "Esc");
        Tap(script, frame, "Down");
        Tap(script, frame, "Down");
        Tap(script, frame, "Space"); // Load
        Tap(script, frame, "Space"); // slot 1
        frame = 100;
        Tap(script, frame, "Esc");
        Tap(script, frame, "Down");
        Tap(script, frame, "Space"); // New Game
        Tap(script, frame, "Space"); // yes: start afresh
    }
    const std::string loaded = run("loaded", 90, playScript);
    EXPECT_EQ(Field(loaded, "money"), "3000");
    EXPECT_EQ(Field(loaded, "bossDefeated"), "true");
    EXPECT_EQ(Field(loaded, "rewardGiven"), "true");
    EXPECT_EQ(Field(loaded, "unlockedBits"), "15");
    EXPECT_NE(loaded.find(R"({"name": "Item_PlasticDrill", "quantity": 1, "quickslotIndex": 0})"),
              std::string::npos)
        << loaded;
    EXPECT_NE(loaded.find(R"({"name": "Item_NukeFactory", "quantity": 1, "quickslotIndex": 1})"),
              std::string::npos)
        << loaded;

    const std::string fresh = run("new", 160, playScript);
    EXPECT_EQ(Field(fresh, "money"), "0");
    EXPECT_EQ(Field(fresh, "storageMax"), "50");
    EXPECT_EQ(Field(fresh, "bossDefeated"), "false");
    EXPECT_EQ(Field(fresh, "rewardGiven"), "false");
    EXPECT_EQ(Field(fresh, "unlockedBits"), "1");
    EXPECT_EQ(fresh.find("Item_NukeFactory"), std::string::npos) << fresh;
    EXPECT_NEAR(std::stof(Field(fresh, "x")), 9.5f, 0.5f);
    EXPECT_NEAR(SubY(fresh), -15.5f, 1.0f);
    EXPECT_NE(fresh.find(R"("openMenus": [])"), std::string::npos) << fresh;
}

// The menu key pressed and let go between two frames still opens the menu.
TEST(MenusRunTest, TheMenuKeyTappedWithinOneFrameOpensTheMenu) {
    TestFolder folder;
    const std::string stem = (folder / "menus-tap").string();
    std::ofstream(stem + ".script") << "10 key down Esc\n10 key up Esc\n";
    const GameRun run = RunGame({"--headless", "--fixed-step", "--seed", "1", "--frames", "40", "--script",
                                 stem + ".script", "--game-state", stem + ".json"});
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
    const std::string state = ReadFile(stem + ".json");
    EXPECT_NE(state.find(R"("paused": true)"), std::string::npos) << state;
    EXPECT_NE(state.find(R"("openMenus": ["UiMainMenu"])"), std::string::npos) << state;
    for (const char* name : {".script", ".json"}) {
        std::remove((stem + name).c_str());
    }
}

// "New Game" answered no: back on the main menu with the game held, and the same world as a run
// that never opened the menu.
TEST(MenusRunTest, NewGameAnsweredNoKeepsTheGame) {
    TestFolder folder;
    const std::string stem = (folder / "menus-no").string();
    std::ofstream(stem + ".script") << "200 key down Esc\n202 key up Esc\n215 key down Down\n217 key up "
                                       "Down\n230 key down OemEnter\n232 key up OemEnter\n"
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
