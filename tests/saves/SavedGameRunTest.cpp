#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "GameProcess.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The part of a --game-state report a saved game must bring back: money, health, storage, quick
// slots, the held items with their quantities and quick slots, the boss.
std::string SavedPart(const std::string& state) {
    std::string out;
    for (const char* key : {"money", "health", "healthMax", "storageUsed", "storageMax", "quickslotCount",
                            "ownedSubs", "bossDefeated"}) {
        std::smatch match;
        const std::regex pattern("\"" + std::string(key) + "\": ([a-z0-9-]+)");
        out +=
            key + std::string("=") + (std::regex_search(state, match, pattern) ? match[1].str() : "?") + " ";
    }
    const size_t items = state.find("\"items\"");
    const size_t end = state.find(']', items);
    return out + (items == std::string::npos ? "no items" : state.substr(items, end - items));
}

// A menu line chosen with the keyboard: Esc opens the main menu; Down moves; Space confirms.
void Tap(std::ofstream& script, int& frame, const char* key) {
    script << frame << " key down " << key << "\n" << frame + 2 << " key up " << key << "\n";
    frame += 6;
}

// The real game, headless: dig a shaft (picking up what it frees), save to slot 2 through the
// menus, quit; start again on another world, load slot 2 through the menus, quit: the same grid,
// money, items and boss state come back.
TEST(SavedGameRunTest, SavedThroughTheMenusAndLoadedInANewRunTheGameComesBack) {
    const fs::path folder = fs::path(KELVANE_BIN_DIR) / ".." / "test-saves" / "run";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::vector<std::string> env{"XDG_DATA_HOME=" + folder.string()};

    const fs::path saveScript = folder / "save.script";
    int frame = 2400;
    {
        std::ofstream script(saveScript);
        script << ReadText(fs::path(KELVANE_SOURCE_DIR) / "docs" / "dig-a-shaft.script");
        Tap(script, frame, "Esc");
        Tap(script, frame, "Down");
        Tap(script, frame, "Down");
        Tap(script, frame, "Down");
        Tap(script, frame, "Space"); // Save
        Tap(script, frame, "Down");
        Tap(script, frame, "Space"); // slot 2
    }
    const GameRun saving =
        RunGame({"--headless", "--fixed-step", "--seed", "1", "--frames", std::to_string(frame), "--script",
                 saveScript.string(), "--world-map", (folder / "saved.png").string(), "--game-state",
                 (folder / "saved.json").string()},
                env);
    ASSERT_EQ(saving.ExitCode, 0) << saving.Stderr;
    EXPECT_EQ(saving.Stderr, "");
    ASSERT_TRUE(fs::exists(folder / "Kelvane" / "SavedGame2.sav"));

    const fs::path loadScript = folder / "load.script";
    frame = 30;
    {
        std::ofstream script(loadScript);
        Tap(script, frame, "Esc");
        Tap(script, frame, "Down");
        Tap(script, frame, "Down");
        Tap(script, frame, "Space"); // Load
        Tap(script, frame, "Down");
        Tap(script, frame, "Space"); // slot 2
    }
    const GameRun loading =
        RunGame({"--headless", "--fixed-step", "--seed", "2", "--frames", std::to_string(frame), "--script",
                 loadScript.string(), "--world-map", (folder / "loaded.png").string(), "--game-state",
                 (folder / "loaded.json").string()},
                env);
    ASSERT_EQ(loading.ExitCode, 0) << loading.Stderr;
    EXPECT_EQ(loading.Stderr, "");

    const std::string saved = ReadText(folder / "saved.json");
    const std::string loaded = ReadText(folder / "loaded.json");
    EXPECT_NE(saved.find("Item_Copper"), std::string::npos) << saved; // the shaft's copper was picked up
    EXPECT_EQ(SavedPart(loaded), SavedPart(saved));
    EXPECT_NE(loaded.find("\"openMenus\": []"), std::string::npos) << loaded;
    EXPECT_TRUE(ReadText(folder / "loaded.png") == ReadText(folder / "saved.png"));
    // The submarine is back where it was saved, give or take the frames it moved since.
    const auto position = [](const std::string& state, const char* axis) {
        std::smatch match;
        std::regex_search(state, match, std::regex("\"" + std::string(axis) + "\": (-?[0-9.]+)"));
        return match.empty() ? 1e9 : std::stod(match[1].str());
    };
    EXPECT_NEAR(position(loaded, "x"), position(saved, "x"), 0.5);
    EXPECT_NEAR(position(loaded, "y"), position(saved, "y"), 0.5);

    // Without the load, that run's world is another one.
    const GameRun fresh = RunGame({"--headless", "--fixed-step", "--seed", "2", "--frames", "30",
                                   "--world-map", (folder / "fresh.png").string()},
                                  env);
    ASSERT_EQ(fresh.ExitCode, 0) << fresh.Stderr;
    EXPECT_FALSE(ReadText(folder / "fresh.png") == ReadText(folder / "saved.png"));
}

} // namespace
