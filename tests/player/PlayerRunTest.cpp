#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

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

    const std::string atFloor = run(600, "-floor");
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

    const std::string out = run(760, "-out");
    EXPECT_GT(number(out, "y"), -45.0f) << out;
    // A step may carry the hull a little past the stop before it is caught.
    EXPECT_LE(number(out, "peak"), 0.6f) << out;
    EXPECT_LE(std::fabs(number(out, "now")), 0.4f) << out;
}

// A copy of Content in which the submarine starts with one hull point and five copper, and a sea
// urchin waits in the water just below the spawn point: the submarine steers down onto it and is lost.
constexpr const char* UrchinBelowSpawn = R"({
    "Components": "",
    "AutoCreate": [
        {"Name": "SupplyStation", "Prefab": "SupplyStation", "InstanceProperties": {
            "B2BodyComponent": {"Pos": {"X": "14", "Y": "-14"}},
            "ThingComponent": {"Pos": {"X": "14", "Y": "-14"}}}},
        {"Name": "Urchin", "Prefab": "En_SeaUrchin", "InstanceProperties": {
            "B2BodyComponent": {"Pos": {"X": "9.5", "Y": "-16.5"}},
            "ThingComponent": {"Pos": {"X": "9.5", "Y": "-16.5"}}}}
    ]
})";
constexpr const char* FragileInventory = R"({
    "Components": {"InventoryBhv": {"Health": "1", "HealthMax": "6", "OwnedSubs": "1", "QuickslotCount": "2",
                                     "StorageMax": "50"}},
    "AutoCreate": [
        {"Name": "Item_PlasticDrill", "Prefab": "Item_PlasticDrill"},
        {"Name": "Item_Copper", "Prefab": "Item_Copper", "InstanceProperties": {"ItemComponent": {"Quantity": "5"}}}
    ]
})";

// The real game, headless: the submarine dies on the urchin. The line above the wreck names the
// killer, and the copper it carried is laid in open water away from the urchin, where it can be
// fetched, while the wreck itself lay on the urchin.
TEST(PlayerRunTest, ADeathNamesItsKillerAndLaysTheCargoAwayFromIt) {
    ContentCopy content;
    content.Write("Content/Prefabs/ThingsIncoming.json", UrchinBelowSpawn);
    content.Write("Content/Prefabs/Inventory.json", FragileInventory);
    content.Write("still.script", "# down onto the urchin\n1 key down S\n40 key up S\n");
    const GameRun run = RunGameIn(content.Folder(),
                                  {"--headless", "--fixed-step", "--seed", "1", "--frames", "200", "--script",
                                   "still.script", "--game-state", "state.json", "--world-map", "map.png"});
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
    std::ifstream in(content.Folder() + "/state.json");
    std::ostringstream text;
    text << in.rdbuf();
    const std::string state = text.str();

    EXPECT_NE(state.find("\"hudMessage\": \"Killed by a Sea Urchin\""), std::string::npos) << state;
    std::smatch hurt;
    ASSERT_TRUE(std::regex_search(state, hurt,
                                  std::regex("\"lastHurt\": \\{\"by\": \"a Sea Urchin\", \"x\": ([-0-9.]+), "
                                             "\"y\": ([-0-9.]+)\\}")))
        << state;
    const float urchinX = std::stof(hurt[1].str());
    const float urchinY = std::stof(hurt[2].str());
    EXPECT_NEAR(urchinX, 9.5f, 0.01f);

    const DecodedImage map = DecodeImageFile(content.Folder() + "/map.png");
    ASSERT_EQ(map.Width, 150);
    auto water = [&](float x, float y) {
        const int c = static_cast<int>(std::floor(x));
        const int r = static_cast<int>(-std::ceil(y));
        const uint8_t* p = &map.Pixels[(static_cast<size_t>(r) * 150 + c) * 4];
        return (static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]) == WorldMapColour(0);
    };
    const std::regex dropped("\\{\"name\": \"Item_Copper\", \"x\": ([-0-9.]+), \"y\": ([-0-9.]+)\\}");
    std::smatch drop;
    ASSERT_TRUE(std::regex_search(state, drop, dropped)) << state;
    const float x = std::stof(drop[1].str());
    const float y = std::stof(drop[2].str());
    EXPECT_GE(std::hypot(x - urchinX, y - urchinY), 1.5f) << state;
    EXPECT_TRUE(water(x, y)) << state;
    // Nothing but the drill is held until the respawn.
    EXPECT_EQ(state.find("{\"name\": \"Item_Copper\", \"quantity\""), std::string::npos) << state;
}

} // namespace

namespace {

// One headless run of the real game with a script; the game state at its end and, when asked for,
// its world map (removed by the caller).
struct ScriptedRun {
    std::string State;
    std::string Map;
};

ScriptedRun RunScript(int seed, int frames, const std::string& script, const std::string& tag, bool map) {
    // The maps are read after the run, so the folder lasts as long as the test program.
    static TestFolder runs("runs");
    const std::string stem =
        (runs / (tag + "-" + std::to_string(seed) + "-" + std::to_string(frames))).string();
    std::vector<std::string> args{"--headless", "--fixed-step",         "--seed",       std::to_string(seed),
                                  "--frames",   std::to_string(frames), "--game-state", stem + ".json"};
    if (!script.empty()) {
        args.insert(args.end(), {"--script", script});
    }
    if (map) {
        args.insert(args.end(), {"--world-map", stem + ".png"});
    }
    const GameRun result = RunGame(args);
    EXPECT_EQ(result.ExitCode, 0) << result.Stderr;
    EXPECT_EQ(result.Stderr, "");
    std::ifstream in(stem + ".json");
    std::ostringstream text;
    text << in.rdbuf();
    std::remove((stem + ".json").c_str());
    return {text.str(), map ? stem + ".png" : ""};
}

float StateNumber(const std::string& state, const std::string& key) {
    std::smatch match;
    const std::regex pattern("\"" + key + "\": ([-0-9.]+)");
    return std::regex_search(state, match, pattern) ? std::stof(match[1].str()) : 1000.0f;
}

// Whether a cell of a decoded world map is open water.
bool Water(const DecodedImage& map, int c, int r) {
    const uint8_t* p = &map.Pixels[(static_cast<size_t>(r) * 150 + c) * 4];
    return (static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]) == WorldMapColour(0);
}

// The real game, headless, on three seeds: each script goes down to the terrain and holds the drill
// straight ahead while steering into the ground, then comes back through the same tunnel to the
// start (docs/dig-a-tunnel.script is seed 1's). Halfway the submarine is far from the start, in the
// row of a straight tunnel at least 12 tiles long that it dug; at the end it is home, never tipped
// past the tilt stop and never hurt.
TEST(PlayerRunTest, ATunnelDugWithTheDrillHeldAheadIsPassableBothWays) {
    const std::string source = KELVANE_SOURCE_DIR;
    const struct {
        int Seed;
        std::string Script;
        int Frames;
    } runs[] = {{1, source + "/docs/dig-a-tunnel.script", 2000},
                {6, source + "/tests/player/dig-a-tunnel-seed6.script", 2000},
                {9, source + "/tests/player/dig-a-tunnel-seed9.script", 2400}};
    const float startX = 9.5f;
    const float startY = -15.0f;
    for (const auto& [seed, script, frames] : runs) {
        const ScriptedRun plain = RunScript(seed, 1, "", "tunnel", true);
        const ScriptedRun half = RunScript(seed, frames / 2, script, "tunnel", true);
        const DecodedImage before = DecodeImageFile(plain.Map);
        const DecodedImage after = DecodeImageFile(half.Map);
        std::remove(plain.Map.c_str());
        std::remove(half.Map.c_str());
        ASSERT_EQ(before.Width, 150);
        ASSERT_EQ(after.Width, 150);
        const float x = StateNumber(half.State, "x");
        const float y = StateNumber(half.State, "y");
        EXPECT_GE(std::hypot(x - startX, y - startY), 10.0f) << "seed " << seed << "\n" << half.State;
        // Along the hull's row, the open stretch it lies in holds at least 12 tiles it dug.
        const int row = static_cast<int>(std::floor(-y));
        const int column = static_cast<int>(std::floor(x));
        int dug = 0;
        for (const int step : {-1, 1}) {
            for (int c = step < 0 ? column : column + 1; c >= 0 && c < 150 && Water(after, c, row);
                 c += step) {
                dug += Water(before, c, row) ? 0 : 1;
            }
        }
        EXPECT_GE(dug, 12) << "seed " << seed << ", row " << row << "\n" << half.State;

        const ScriptedRun end = RunScript(seed, frames, script, "tunnel", false);
        EXPECT_LE(std::hypot(StateNumber(end.State, "x") - startX, StateNumber(end.State, "y") - startY),
                  3.0f)
            << "seed " << seed << "\n"
            << end.State;
        EXPECT_LE(StateNumber(end.State, "peak"), 0.45f) << "seed " << seed << "\n" << end.State;
        EXPECT_EQ(StateNumber(end.State, "damageTaken"), 0.0f) << "seed " << seed << "\n" << end.State;
        EXPECT_NE(end.State.find("\"paused\": false"), std::string::npos) << "seed " << seed << "\n"
                                                                          << end.State;
    }
}

// The real game, headless, seed 1: resting on the copper below the start, the submarine aims its drill
// at the dirt two tiles further down, past a pocket of water. The arm stops in the copper, which
// breaks first; the dirt it pointed at is still whole after two blows' time.
TEST(PlayerRunTest, TheArmStopsAtTheFirstSolidTileOnItsWayToThePointer) {
    TestFolder folder;
    const std::string script = (folder / "arm.script").string();
    // The submarine settles at (9.5, -27.4), drawn at (152, 360); the pointer lies 3.1 units below it.
    std::ofstream(script) << "1 mouse move 152 410\n1 key down S\n150 key up S\n"
                             "160 button down LeftMouse\n226 button up LeftMouse\n";
    const ScriptedRun plain = RunScript(1, 1, "", "arm", true);
    const ScriptedRun drilled = RunScript(1, 230, script, "arm", true);
    std::remove(script.c_str());
    const DecodedImage before = DecodeImageFile(plain.Map);
    const DecodedImage after = DecodeImageFile(drilled.Map);
    std::remove(plain.Map.c_str());
    std::remove(drilled.Map.c_str());
    ASSERT_EQ(before.Width, 150);
    ASSERT_EQ(after.Width, 150);
    EXPECT_FALSE(Water(before, 9, 28));
    EXPECT_TRUE(Water(before, 9, 29));
    EXPECT_FALSE(Water(before, 9, 30));
    EXPECT_TRUE(Water(after, 9, 28)) << drilled.State;
    EXPECT_FALSE(Water(after, 9, 30)) << drilled.State;
    EXPECT_NEAR(StateNumber(drilled.State, "y"), -27.4f, 0.1f) << drilled.State;
}

// The real game, headless, seed 2: docs/first-ten-minutes.script plays ten minutes as a new player
// would (dig the nearest copper with the starting drill, climb back to the station, sell, buy the
// Steel Drill, then four trips for silver with it). It ends holding the Steel Drill, alive, with the
// store's copper and silver goods unlocked and the money of four more sales.
TEST(PlayerRunTest, TheFirstTenMinutesEndHoldingABetterDrill) {
    const ScriptedRun end =
        RunScript(2, 36000, std::string(KELVANE_SOURCE_DIR) + "/docs/first-ten-minutes.script", "ten", false);
    EXPECT_NE(end.State.find("\"name\": \"Item_SteelDrill\""), std::string::npos) << end.State;
    EXPECT_GT(StateNumber(end.State, "health"), 0.0f) << end.State;
    EXPECT_EQ(static_cast<int>(StateNumber(end.State, "unlockedBits")) & 6, 6) << end.State;
    EXPECT_GE(StateNumber(end.State, "money"), 700.0f) << end.State;
}

} // namespace
