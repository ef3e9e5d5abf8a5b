// The real game, headless, beside its Content folder, with the player's settings in a config home
// of the test's own under the build folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include "GameProcess.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class OptionsRunTest : public ::testing::Test {
protected:
    OptionsRunTest() {
        fs::remove_all(home);
        fs::create_directories(home);
    }
    ~OptionsRunTest() override { fs::remove_all(home); }

    const fs::path home = fs::absolute(fs::path(KELVANE_BIN_DIR) / ".." / "test-config" /
                                       ("options-" + std::to_string(::getpid())));
    const fs::path settings = home / "Kelvane" / "settings.json";
};

// A headless run nobody plays leaves the player's settings alone; the options menu's changes are
// applied and kept in the settings file, written whole.
TEST_F(OptionsRunTest, TheOptionsMenuChangesTheVolumesAndTheSettingsFileKeepsThem) {
    const GameRun quiet = RunGame({"--headless", "--fixed-step", "--seed", "3", "--frames", "20"},
                                  {"XDG_CONFIG_HOME=" + home.string()});
    ASSERT_EQ(quiet.ExitCode, 0) << quiet.Stderr;
    EXPECT_FALSE(fs::exists(settings)) << "no settings written for a run nobody changed";
    EXPECT_EQ(quiet.Stderr.find("settings"), std::string::npos) << quiet.Stderr;

    const fs::path script = home / "options.script";
    const fs::path state = home / "state.json";
    std::ofstream(script) << "# main menu, down to its fifth line, into the options\n"
                             "10 key down Esc\n12 key up Esc\n"
                             "16 key down Down\n18 key up Down\n"
                             "20 key down Down\n22 key up Down\n24 key down Down\n26 key up Down\n"
                             "28 key down Down\n30 key up Down\n"
                             "40 key down OemEnter\n42 key up OemEnter\n"
                             "# master two steps down, music one up (already full), effects five down\n"
                             "60 key down Left\n62 key up Left\n64 key down Left\n66 key up Left\n"
                             "70 key down Down\n72 key up Down\n74 key down Right\n76 key up Right\n"
                             "78 key down Down\n80 key up Down\n"
                             "82 key down Left\n84 key up Left\n86 key down Left\n88 key up Left\n"
                             "90 key down Left\n92 key up Left\n94 key down Left\n96 key up Left\n"
                             "98 key down Left\n100 key up Left\n";
    const GameRun run = RunGame({"--headless", "--fixed-step", "--seed", "3", "--frames", "200", "--script",
                                 script.string(), "--game-state", state.string()},
                                {"XDG_CONFIG_HOME=" + home.string()});
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
    EXPECT_NE(ReadAll(state).find("\"UiOptionsMenu\""), std::string::npos) << ReadAll(state);

    ASSERT_TRUE(fs::exists(settings));
    boost::property_tree::ptree saved;
    boost::property_tree::read_json(settings.string(), saved);
    EXPECT_NEAR(saved.get<float>("MasterVolume"), 0.8f, 1e-4f);
    EXPECT_NEAR(saved.get<float>("MusicVolume"), 1.0f, 1e-4f);
    EXPECT_NEAR(saved.get<float>("EffectsVolume"), 0.5f, 1e-4f);
    EXPECT_FALSE(saved.get<bool>("Fullscreen"));
    for (const auto& entry : fs::directory_iterator(settings.parent_path())) {
        EXPECT_EQ(entry.path().filename(), "settings.json") << "no temporary file left behind";
    }
}

} // namespace
