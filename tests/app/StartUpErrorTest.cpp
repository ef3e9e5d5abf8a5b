#include <gtest/gtest.h>

#include <algorithm>

#include "GameProcess.h"

namespace {

// Start-up problems with content end the game with one line naming the file, and status 1.
class StartUpErrorTest : public ::testing::Test {
protected:
    void ExpectOneLineError(const std::string& fileMention, const std::string& problemMention) {
        const GameRun run = RunGameIn(content.Folder(), {"--headless", "--frames", "1"});
        EXPECT_EQ(run.ExitCode, 1) << run.Stderr;
        EXPECT_EQ(std::count(run.Stderr.begin(), run.Stderr.end(), '\n'), 1) << run.Stderr;
        EXPECT_NE(run.Stderr.find(fileMention), std::string::npos) << run.Stderr;
        EXPECT_NE(run.Stderr.find(problemMention), std::string::npos) << run.Stderr;
    }

    ContentCopy content;
};

TEST_F(StartUpErrorTest, CopiedContentStartsCleanly) {
    const GameRun run = RunGameIn(content.Folder(), {"--headless", "--frames", "1"});
    EXPECT_EQ(run.ExitCode, 0) << run.Stderr;
}

TEST_F(StartUpErrorTest, MissingGameplayRootPrefab) {
    content.Remove("Content/Prefabs/GameplayRoot.json");
    ExpectOneLineError("GameplayRoot.json", "missing");
}

TEST_F(StartUpErrorTest, MissingPrefabsOfTheWorldsPools) {
    for (const char* name : {"TileSprite", "ThingGridCell", "SceneryCollisionBlock"}) {
        ContentCopy copy;
        copy.Remove(std::string("Content/Prefabs/") + name + ".json");
        const GameRun run = RunGameIn(copy.Folder(), {"--headless", "--frames", "1"});
        EXPECT_EQ(run.ExitCode, 1) << run.Stderr;
        EXPECT_EQ(std::count(run.Stderr.begin(), run.Stderr.end(), '\n'), 1) << run.Stderr;
        EXPECT_NE(run.Stderr.find(std::string(name) + ".json"), std::string::npos) << run.Stderr;
    }
}

TEST_F(StartUpErrorTest, PrefabThatIsNotJsonNamesTheLine) {
    content.Write("Content/Prefabs/Broken.json", "{\n  \"Components\": \"\",\n  oops\n}\n");
    ExpectOneLineError("Broken.json", "line 3");
}

TEST_F(StartUpErrorTest, PrefabNamingAnUnregisteredClass) {
    content.Write("Content/Prefabs/Ghost.json",
                  R"({"Components": {"NoSuchComponent": ""}, "AutoCreate": ""})");
    ExpectOneLineError("Ghost.json", "NoSuchComponent");
}

TEST_F(StartUpErrorTest, AutoCreateEntryNamingAMissingPrefab) {
    content.Remove("Content/Prefabs/EdButton.json"); // built by the editor's palettes
    ExpectOneLineError(".json", "missing prefab \"EdButton\"");
}

TEST_F(StartUpErrorTest, AutoCreateEntriesBuildingAPrefabInsideItself) {
    // A palette button that would build every palette again, button included.
    content.Write("Content/Prefabs/EdButton.json",
                  R"({"Components": "", "AutoCreate": [{"Prefab": "EdPalettesRoot"}]})");
    ExpectOneLineError("EdButton.json", "\"EdPalettesRoot\" inside itself");
}

TEST_F(StartUpErrorTest, UnparsableGameConfig) {
    content.Write("Content/Config/GameConfig.json", "{ \"DevelopmentContentPath\": ");
    ExpectOneLineError("GameConfig.json", "");
}

TEST_F(StartUpErrorTest, MissingKeyMappings) {
    content.Remove("Content/Config/KeyMappings.json");
    ExpectOneLineError("KeyMappings.json", "");
}

TEST(ScriptErrorTest, MalformedScriptLineIsReportedWithItsLineAndStatusTwo) {
    ContentCopy content;
    content.Write("bad.script", "# two good lines, then a bad one\n1 key down W\n2 key up W\n3 jump\n");
    const GameRun run =
        RunGameIn(content.Folder(), {"--headless", "--frames", "5", "--script", "bad.script"});
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_NE(run.Stderr.find("bad.script:4"), std::string::npos) << run.Stderr;
}

} // namespace
