// The player's settings file: where it lives, what survives a round trip, and what a damaged file or
// an unwritable folder costs (one line, the defaults, never a refusal).
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "app/Settings.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("kelvane-settings-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(dir);
        file = dir / "Kelvane" / "settings.json";
    }
    void TearDown() override {
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add);
        std::filesystem::remove_all(dir);
    }
    void Write(const std::string& text) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }
    // Loads, returning what was printed.
    std::string LoadPrinting(Settings& settings) {
        testing::internal::CaptureStderr();
        settings = LoadSettings(file);
        return testing::internal::GetCapturedStderr();
    }
    static int Lines(const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')); }

    std::filesystem::path dir;
    std::filesystem::path file;
};

TEST_F(SettingsTest, TheFileLivesUnderTheConfigHome) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    EXPECT_EQ(GetSettingsPath(), dir / "Kelvane" / "settings.json");
    setenv("XDG_CONFIG_HOME", "relative/path", 1);
    const char* home = std::getenv("HOME");
    EXPECT_EQ(GetSettingsPath(),
              std::filesystem::path(home ? home : "") / ".config" / "Kelvane" / "settings.json");
    if (old) {
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

TEST_F(SettingsTest, WhatIsSavedIsReadBack) {
    Settings chosen;
    chosen.Fullscreen = true;
    chosen.WindowWidth = 1920;
    chosen.WindowHeight = 1080;
    chosen.MasterVolume = 0.8f;
    chosen.MusicVolume = 0.35f;
    chosen.EffectsVolume = 0.0f;
    ASSERT_TRUE(SaveSettings(chosen, file)); // the folder is made on the way
    Settings read;
    EXPECT_EQ(LoadPrinting(read), "");
    EXPECT_EQ(read, chosen);
    // Volumes are written as short as reads back the same, as a player would write them.
    std::ifstream in(file);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Booleans and numbers are JSON's own, not quoted text.
    EXPECT_NE(text.find(R"("MusicVolume": 0.35,)"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("Fullscreen": true,)"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("WindowWidth": 1920,)"), std::string::npos) << text;
    // Saving again replaces the file whole and leaves no temporary file behind.
    chosen.Fullscreen = false;
    ASSERT_TRUE(SaveSettings(chosen, file));
    EXPECT_EQ(LoadSettings(file), chosen);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1);
}

TEST_F(SettingsTest, AMissingOrDamagedFileGivesTheDefaultsAndOneLine) {
    Settings read;
    std::string printed = LoadPrinting(read);
    EXPECT_EQ(read, Settings{});
    EXPECT_EQ(Lines(printed), 1) << printed;
    EXPECT_NE(printed.find(file.string()), std::string::npos) << printed;

    for (const char* damaged : {"{ \"Fullscreen\": tru", "", "[1, 2]", "\x01\x02garbage"}) {
        Write(damaged);
        printed = LoadPrinting(read);
        EXPECT_EQ(read, Settings{}) << damaged;
        EXPECT_EQ(Lines(printed), 1) << damaged << ": " << printed;
        EXPECT_NE(printed.find(file.string()), std::string::npos) << printed;
    }

    // Something else in the file's place (a folder, a named pipe that would block a plain open) or
    // text nested deeper than any settings: the defaults and one line, at once.
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    printed = LoadPrinting(read);
    EXPECT_EQ(Lines(printed), 1) << printed;
    std::filesystem::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
    printed = LoadPrinting(read);
    EXPECT_EQ(Lines(printed), 1) << printed;
    std::filesystem::remove(file);
    Write(std::string(10000, '[') + std::string(10000, ']'));
    printed = LoadPrinting(read);
    EXPECT_EQ(read, Settings{});
    EXPECT_EQ(Lines(printed), 1) << printed;

    // Bad values cost their own defaults only, and still one line for the file.
    Write(R"({ "Fullscreen": "maybe", "WindowWidth": 100, "WindowHeight": "tall", "MasterVolume": 0.5,
               "MusicVolume": 7, "EffectsVolume": { "x": 1 }, "FutureKey": 3 })");
    printed = LoadPrinting(read);
    Settings expected;
    expected.MasterVolume = 0.5f;
    EXPECT_EQ(read, expected);
    EXPECT_EQ(Lines(printed), 1) << printed;
    EXPECT_NE(printed.find("Fullscreen"), std::string::npos) << printed;
}

TEST_F(SettingsTest, AnUnwritableFolderCostsOneLineAndKeepsTheOldFile) {
    Settings old;
    old.MusicVolume = 0.25f;
    ASSERT_TRUE(SaveSettings(old, file));
    Settings changed = old;
    changed.MusicVolume = 0.75f;

    std::filesystem::permissions(file.parent_path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    testing::internal::CaptureStderr();
    bool saved = SaveSettings(changed, file);
    std::string printed = testing::internal::GetCapturedStderr();
    std::filesystem::permissions(file.parent_path(), std::filesystem::perms::owner_all);
    if (geteuid() != 0) {
        EXPECT_FALSE(saved);
        EXPECT_EQ(Lines(printed), 1) << printed;
        EXPECT_EQ(LoadSettings(file), old);
    }
    // Permission bits do not bind the superuser; a folder that cannot be made binds everyone.
    const std::filesystem::path blocked = dir / "NotAFolder" / "Kelvane" / "settings.json";
    std::ofstream(dir / "NotAFolder") << "a file where the folder would go";
    testing::internal::CaptureStderr();
    saved = SaveSettings(changed, blocked);
    printed = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(saved);
    EXPECT_EQ(Lines(printed), 1) << printed;
    EXPECT_NE(printed.find(blocked.string()), std::string::npos) << printed;
}

} // namespace
