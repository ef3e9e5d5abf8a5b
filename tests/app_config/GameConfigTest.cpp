// The optional configuration file and where prefabs come from.
#include <fstream>
#include <random>

#include <gtest/gtest.h>

#include "app/GameConfig.h"
#include "core/ContentError.h"

namespace {

class GameConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("kelvane-config-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path WriteConfig(const std::string& text) {
        std::ofstream(dir / "GameConfig.json") << text;
        return dir / "GameConfig.json";
    }
    std::filesystem::path dir;
    GameConfig config;
};

TEST_F(GameConfigTest, NoFileKeepsTheDefaultFolder) {
    config.Load(dir / "absent.json");
    EXPECT_EQ(config.DevelopmentContentPath(), "");
    EXPECT_EQ(config.GetPrefabFolder(), "Content/Prefabs");
}

TEST_F(GameConfigTest, EmptyPathIsLikeNoFile) {
    config.Load(WriteConfig(R"({"DevelopmentContentPath": ""})"));
    EXPECT_EQ(config.GetPrefabFolder(), "Content/Prefabs");
}

TEST_F(GameConfigTest, FolderWithPrefabsIsUsed) {
    std::filesystem::create_directories(dir / "dev" / "Prefabs");
    config.Load(
        WriteConfig(R"({"Other": "ignored", "DevelopmentContentPath": ")" + (dir / "dev").string() + "\"}"));
    EXPECT_EQ(config.DevelopmentContentPath(), (dir / "dev").string());
    EXPECT_EQ(config.GetPrefabFolder(), dir / "dev" / "Prefabs");
}

TEST_F(GameConfigTest, FolderWithoutPrefabsFallsBack) {
    std::filesystem::create_directories(dir / "dev");
    config.Load(WriteConfig(R"({"DevelopmentContentPath": ")" + (dir / "dev").string() + "\"}"));
    EXPECT_EQ(config.GetPrefabFolder(), "Content/Prefabs");
}

TEST_F(GameConfigTest, MalformedFileIsAOneLineContentError) {
    auto file = WriteConfig("{\n\"DevelopmentContentPath\": \"x\"\n,,}");
    try {
        config.Load(file);
        FAIL();
    } catch (const ContentError& e) {
        EXPECT_EQ(e.File(), file.string());
        EXPECT_NE(e.Problem().find("line 3"), std::string::npos) << e.Problem();
        EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos);
    }
}

TEST_F(GameConfigTest, MissingKeyIsAContentError) {
    try {
        config.Load(WriteConfig(R"({"DevelopmentContent": "x"})"));
        FAIL();
    } catch (const ContentError& e) {
        EXPECT_EQ(e.Problem(), "No such node (DevelopmentContentPath)");
    }
}

} // namespace
