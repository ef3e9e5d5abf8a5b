// Where the game finds its Content (beside the executable, in an install tree, or as named) and when
// the player's overlay lies over it; how the overlay's files replace and add to the shipped ones.
#include <algorithm>
#include <fstream>
#include <random>

#include <gtest/gtest.h>

#include "app/ContentSearch.h"
#include "core/ContentError.h"

namespace {

namespace fs = std::filesystem;

class ContentSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kelvane-search-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir / "bin");
    }
    void TearDown() override {
        fs::permissions(dir / "bin" / "Content", fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir, ignored);
    }
    void Touch(const fs::path& path, const std::string& text = "x") {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    fs::path dir;
    std::error_code ignored;
};

TEST_F(ContentSearchTest, ABuildTreeReadsItsOwnWritableContentWithoutAnOverlay) {
    fs::create_directories(dir / "bin" / "Content");
    fs::create_directories(dir / "share" / "kelvane" / "Content");
    const ContentLayers layers = FindContent("", dir / "bin", dir / "user");
    EXPECT_EQ(layers.Shipped, dir / "bin" / "Content");
    EXPECT_TRUE(layers.Overlay.empty());
    EXPECT_EQ(layers.Writable(), layers.Shipped);
}

TEST_F(ContentSearchTest, AnInstallTreeAndAReadOnlyContentGetThePlayersOverlay) {
    fs::create_directories(dir / "share" / "kelvane" / "Content");
    const ContentLayers installed = FindContent("", dir / "bin", dir / "user");
    EXPECT_EQ(installed.Shipped, dir / "share" / "kelvane" / "Content");
    EXPECT_EQ(installed.Overlay, dir / "user" / "Content");
    // Debian's layout: the game in games/, its data in share/games.
    fs::create_directories(dir / "usr" / "share" / "games" / "kelvane" / "Content");
    const ContentLayers games = FindContent("", dir / "usr" / "games", dir / "user");
    EXPECT_EQ(games.Shipped, dir / "usr" / "share" / "games" / "kelvane" / "Content");
    EXPECT_EQ(games.Overlay, dir / "user" / "Content");

    fs::create_directories(dir / "bin" / "Content");
    fs::permissions(dir / "bin" / "Content",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const ContentLayers readOnly = FindContent("", dir / "bin", dir / "user");
    EXPECT_EQ(readOnly.Shipped, dir / "bin" / "Content");
    EXPECT_EQ(readOnly.Overlay, dir / "user" / "Content");
    EXPECT_EQ(readOnly.Writable(), readOnly.Overlay);
}

TEST_F(ContentSearchTest, AFolderNamedOnTheCommandLineWinsAndAMissingOneIsNamed) {
    fs::create_directories(dir / "bin" / "Content");
    fs::create_directories(dir / "mine");
    EXPECT_EQ(FindContent((dir / "mine").string(), dir / "bin", dir / "user").Shipped, dir / "mine");
    try {
        FindContent((dir / "absent").string(), dir / "bin", dir / "user");
        ADD_FAILURE() << "a missing --content folder was accepted";
    } catch (const ContentError& error) {
        EXPECT_EQ(error.File(), (dir / "absent").string());
    }
}

TEST_F(ContentSearchTest, NoContentAnywhereNamesEveryPlaceLookedInOnOneLine) {
    try {
        FindContent("", dir / "bin", dir / "user");
        ADD_FAILURE() << "no Content was accepted";
    } catch (const ContentError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find((dir / "bin" / "Content").string()), std::string::npos) << message;
        EXPECT_NE(message.find((dir / "share" / "kelvane" / "Content").string()), std::string::npos)
            << message;
        EXPECT_NE(message.find((dir / "share" / "games" / "kelvane" / "Content").string()), std::string::npos)
            << message;
        EXPECT_NE(message.find("--content"), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos);
    }
}

TEST_F(ContentSearchTest, OverlayFilesReplaceShippedOnesOfTheSameNameAndAddNewOnes) {
    ContentLayers layers{dir / "shipped", dir / "overlay"};
    Touch(dir / "shipped" / "Prefabs" / "A.json", "shipped");
    Touch(dir / "shipped" / "Prefabs" / "B.json");
    Touch(dir / "overlay" / "Prefabs" / "B.json", "mine");
    Touch(dir / "overlay" / "Prefabs" / "C.json");
    std::vector<fs::path> files = layers.ListFiles("Prefabs");
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<fs::path>{dir / "overlay" / "Prefabs" / "B.json",
                                            dir / "overlay" / "Prefabs" / "C.json",
                                            dir / "shipped" / "Prefabs" / "A.json"}));
    EXPECT_EQ(layers.Find("Prefabs/A.json"), dir / "shipped" / "Prefabs" / "A.json");
    EXPECT_EQ(layers.Find("Prefabs/B.json"), dir / "overlay" / "Prefabs" / "B.json");
    // An overlay without the folder adds nothing; a missing file is named in the shipped folder.
    Touch(dir / "shipped" / "Config" / "Keys.json");
    EXPECT_EQ(layers.ListFiles("Config"), std::vector<fs::path>{dir / "shipped" / "Config" / "Keys.json"});
    EXPECT_EQ(layers.Find("Config/Absent.json"), dir / "shipped" / "Config" / "Absent.json");
}

} // namespace
