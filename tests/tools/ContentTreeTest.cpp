// The committed content sources hold what the game looks up by name, and the tool behaves on the
// command line as the build and hot reload expect (quiet success, one-line errors, exit status 1).
#include "AtlasPacker.h"
#include "Image.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>

using namespace kelvane::assetwright;
namespace fs = std::filesystem;

namespace {
const fs::path Content = fs::path(KELVANE_SOURCE_DIR) / "content";
const fs::path Tool = fs::path(KELVANE_BIN_DIR) / "assetwright";

struct RunResult {
    int status = -1;
    std::string output;
};

RunResult runTool(const std::string& args) {
    RunResult result;
    std::string command = "'" + Tool.string() + "' " + args + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 512> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) {
        result.output += buffer.data();
    }
    int raw = ::pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}
} // namespace

TEST(CommittedContent, GameTextureHoldsTheSpritesTheCodeNames) {
    for (const char* name :
         {"MantisShrimp", "MantisShrimpCharged", "BossGateOpen", "BossGateClosed", "Dirt", "Rock",
          "BuriedDirt", "BuriedRock", "BossWall", "Sub_PoBoy", "DrillHead", "DrillStem"}) {
        EXPECT_TRUE(fs::exists(Content / "Textures" / "Main" / "Game" / (std::string(name) + ".png")))
            << name;
    }
}

TEST(CommittedContent, EditorTextureHoldsOneOpaqueWhitePixel) {
    Image white = loadPng(Content / "Textures" / "Main" / "Editor" / "1PixelWhite.png");
    ASSERT_EQ(white.width, 1);
    ASSERT_EQ(white.height, 1);
    EXPECT_EQ(std::vector<int>(white.pixels.begin(), white.pixels.end()),
              (std::vector<int>{255, 255, 255, 255}));
}

TEST(CommittedContent, BuriedTilesLookLikeTheirPlainTiles) {
    const fs::path game = Content / "Textures" / "Main" / "Game";
    EXPECT_EQ(loadPng(game / "BuriedDirt.png").pixels, loadPng(game / "Dirt.png").pixels);
    EXPECT_EQ(loadPng(game / "BuriedRock.png").pixels, loadPng(game / "Rock.png").pixels);
}

TEST(CommittedContent, TilesAreOneWorldUnitAndFullyOpaque) {
    for (const char* name :
         {"Dirt", "Rock", "CopperDirt", "CopperRock", "Silver", "BossWall", "DeepSilt", "Basalt", "Gold"}) {
        Image tile = loadPng(Content / "Textures" / "Main" / "Game" / (std::string(name) + ".png"));
        EXPECT_EQ(tile.width, 16) << name;
        EXPECT_EQ(tile.height, 16) << name;
        for (std::size_t i = 3; i < tile.pixels.size(); i += 4) {
            ASSERT_EQ(tile.pixels[i], 255) << name << " has a see-through pixel";
        }
    }
}

TEST(CommittedContent, EveryCueHasASoundRecipe) {
    for (const char* cue :
         {"SubDamage",   "Death",         "RocketBoost",     "RocketBoostEnd", "DrillSpin",
          "DrillGrind",  "DrillDamage",   "DrillTooHard",    "BlockPlaced",    "BombBlast",
          "BombBeep",    "NukeBeep",      "MoneyPickup",     "HealthRestore",  "Upgrade",
          "ItemPickup",  "ItemsUnlocked", "ItemSold",        "ErrorBuzz",      "Fanfare",
          "EnemyDamage", "EnemyDie",      "DamageDeflected", "ChestOpen",      "EnemyPreCharge",
          "EnemyCharge", "MantisWindup",  "MantisShot",      "BossGateOpen",   "BossGateClose"}) {
        EXPECT_TRUE(fs::exists(Content / "Sounds" / "Main" / "Recipes" / (std::string(cue) + ".json")))
            << cue;
    }
}

TEST(CommittedContent, WholeGameTextureFitsOneSheet) {
    PackedAtlas atlas = packAtlasFolder(Content / "Textures" / "Main" / "Game");
    EXPECT_LE(atlas.sheet.width, 2048);
    EXPECT_LE(atlas.sheet.height, 2048);
}

TEST(CommandLine, HelpSucceedsAndNamesTheCommands) {
    RunResult r = runTool("--help");
    EXPECT_EQ(r.status, 0);
    for (const char* command : {"atlas", "font", "sound", "music", "rebuild"}) {
        EXPECT_NE(r.output.find(command), std::string::npos) << command;
    }
}

TEST(CommandLine, ErrorsAreOneLineAndExitWithOne) {
    TestFolder temp;
    fs::create_directories(temp / "Sprites");
    std::ofstream(temp / "Sprites" / "Bad.png") << "not an image";
    for (const std::string& args :
         {std::string("atlas '") + (temp / "Sprites").string() + "' '" + (temp / "Out.xml").string() + "'",
          std::string("atlas '") + (temp / "Nowhere").string() + "' x.xml",
          std::string("sound '") + (temp / "missing.json").string() + "' x.wav", std::string("frobnicate"),
          std::string("atlas onlyone")}) {
        RunResult r = runTool(args);
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_EQ(r.output.rfind("assetwright: ", 0), 0u) << r.output;
        EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
    }
    EXPECT_FALSE(fs::exists(temp / "Out.xml"));
}

TEST(CommandLine, RebuildPacksTheTreeAndThenHasNothingToDo) {
    TestFolder temp;
    fs::create_directories(temp / "Textures" / "Main" / "Game");
    savePng(Image(4, 4), temp / "Textures" / "Main" / "Game" / "Clear.png");
    RunResult first = runTool("rebuild '" + temp.Path().string() + "'");
    EXPECT_EQ(first.status, 0) << first.output;
    EXPECT_TRUE(fs::exists(temp / "Textures" / "Main" / "Game.xml"));
    EXPECT_TRUE(fs::exists(temp / "Textures" / "Main" / "Game.sheet"));
    RunResult second = runTool("rebuild '" + temp.Path().string() + "'");
    EXPECT_EQ(second.status, 0);
    EXPECT_EQ(second.output.find("packed"), std::string::npos) << second.output;
}
