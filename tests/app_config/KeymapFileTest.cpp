// The player's keymap file beside the settings: a missing one is no news, a damaged one costs one
// line and gives the shipped bindings, and it is written whole or not at all.
#include <algorithm>
#include <fstream>
#include <random>

#include <gtest/gtest.h>

#include "app/KeymapFile.h"
#include "input/InputManager.h"

namespace {

class KeymapFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("kelvane-keymap-" + std::to_string(std::random_device{}()));
        file = dir / "Kelvane" / "keymap.json";
        InputManager input;
        input.LoadMappings(KELVANE_SOURCE_DIR "/content/Config/KeyMappings.json");
        shipped = input.Mappings;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void Write(const std::string& text) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }
    // Loads, returning what was printed.
    std::string LoadPrinting(ActionMappings& mappings) {
        testing::internal::CaptureStderr();
        mappings = LoadKeymap(file, shipped);
        return testing::internal::GetCapturedStderr();
    }
    static int Lines(const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')); }

    std::filesystem::path dir;
    std::filesystem::path file;
    ActionMappings shipped;
};

TEST_F(KeymapFileTest, ItLivesBesideTheSettingsAndWhatIsSavedIsReadBack) {
    EXPECT_EQ(GetKeymapPath().filename(), "keymap.json");
    ActionMappings read;
    EXPECT_EQ(LoadPrinting(read), "") << "no keymap yet is no news";
    EXPECT_EQ(read, shipped);

    ActionMappings mine = shipped;
    SetBoundKeys(mine, Action::MoveDown, KeyDevice::Keyboard, {Key::K});
    ASSERT_TRUE(SaveKeymap(shipped, mine, file)); // the folder is made on the way
    EXPECT_EQ(LoadPrinting(read), "");
    EXPECT_EQ(read, mine);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1)
        << "no temporary file left behind";
}

TEST_F(KeymapFileTest, ADamagedForeignOrUnknownKeyFileGivesTheShippedBindingsAndOneLine) {
    for (const char* damaged : {"{ \"MoveDown\": [\"K\"", "", "[1, 2]", "\x01\x02garbage",
                                R"({"MoveDown": ["Kay"]})", R"({"Fullscreen": true})"}) {
        Write(damaged);
        ActionMappings read;
        const std::string printed = LoadPrinting(read);
        EXPECT_EQ(read, shipped) << damaged;
        EXPECT_EQ(Lines(printed), 1) << damaged << ": " << printed;
        EXPECT_NE(printed.find(file.string()), std::string::npos) << printed;
    }
    // Far too large to be a keymap: refused unread.
    Write("{\"MoveDown\": [\"K\"]}" + std::string(100000, ' '));
    ActionMappings read;
    EXPECT_EQ(Lines(LoadPrinting(read)), 1);
    EXPECT_EQ(read, shipped);
    // A folder where the file should be.
    std::filesystem::remove(file);
    std::filesystem::create_directories(file);
    EXPECT_EQ(Lines(LoadPrinting(read)), 1);
    EXPECT_EQ(read, shipped);
    // Nor can it be written over.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(SaveKeymap(shipped, shipped, file));
    EXPECT_EQ(Lines(testing::internal::GetCapturedStderr()), 1);
}

} // namespace
