// The real game, headless, beside its Content folder, with the player's keymap in a config home of
// the test's own: docs/remap-controls.script binds "Steer down" to K through the menus, the new key
// steers at once and the old one does nothing, and the next run starts with the saved keymap.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include "GameProcess.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ControlsRunTest : public ::testing::Test {
protected:
    ControlsRunTest() {
        for (const fs::path& home : {home, emptyHome}) {
            fs::remove_all(home);
            fs::create_directories(home);
        }
    }
    ~ControlsRunTest() override {
        fs::remove_all(home);
        fs::remove_all(emptyHome);
    }

    // The submarine's height (up is positive) after a run of the given script text, or NaN.
    float SubHeightAfter(const std::string& script, const fs::path& configHome, int frames,
                         std::string* stderrText = nullptr) {
        const fs::path scriptFile = home / "run.script";
        const fs::path state = home / "state.json";
        std::ofstream(scriptFile) << script;
        const GameRun run =
            RunGame({"--headless", "--fixed-step", "--seed", "1", "--frames", std::to_string(frames),
                     "--script", scriptFile.string(), "--game-state", state.string()},
                    {"XDG_CONFIG_HOME=" + configHome.string()});
        EXPECT_EQ(run.ExitCode, 0) << run.Stderr;
        if (stderrText) {
            *stderrText = run.Stderr;
        }
        boost::property_tree::ptree tree;
        if (run.ExitCode != 0) {
            return std::numeric_limits<float>::quiet_NaN();
        }
        boost::property_tree::read_json(state.string(), tree);
        EXPECT_EQ(tree.get<bool>("paused"), false);
        return tree.get<float>("sub.y");
    }

    const fs::path home = fs::absolute(fs::path(KELVANE_BIN_DIR) / ".." / "test-config" /
                                       ("controls-" + std::to_string(::getpid())));
    const fs::path emptyHome = home.string() + "-empty";
    const fs::path keymap = home / "Kelvane" / "keymap.json";
    const std::string remap = ReadAll(fs::path(KELVANE_SOURCE_DIR) / "docs" / "remap-controls.script");
};

TEST_F(ControlsRunTest, RebindingThroughTheMenuActsAtOnceAndTheNextRunStartsWithIt) {
    const fs::path shippedFile = fs::path(KELVANE_BIN_DIR) / "Content" / "Config" / "KeyMappings.json";
    const std::string shipped = ReadAll(shippedFile);
    ASSERT_FALSE(remap.empty());

    // The same menus every time, then S, K or nothing held for two seconds.
    const float still = SubHeightAfter(remap, home, 250);
    const float withS = SubHeightAfter(remap + "130 key down S\n", home, 250);
    const float withK = SubHeightAfter(remap + "130 key down K\n", home, 250);
    EXPECT_EQ(withS, still) << "S no longer steers down";
    EXPECT_LT(withK, still - 3.0f) << "K steers down at once";

    // Only the difference is kept, whole, and the shipped mappings are never written.
    EXPECT_EQ(ReadAll(keymap),
              "{\n    \"MoveDown\": [\"K\", \"Down\", \"PadLeftStickDown\", \"PadDpadDown\"]\n}\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(keymap.parent_path()), {}), 1) << "no temporary file";
    EXPECT_EQ(ReadAll(shippedFile), shipped);

    // The next run reads the keymap: K sinks the submarine faster than in a run without one, and S
    // does what nothing does.
    std::string printed;
    const float nextK = SubHeightAfter("1 key down K\n", home, 120, &printed);
    EXPECT_EQ(printed, "");
    const float nextS = SubHeightAfter("1 key down S\n", home, 120);
    const float nothing = SubHeightAfter("", home, 120);
    const float freshK = SubHeightAfter("1 key down K\n", emptyHome, 120);
    EXPECT_LT(nextK, freshK - 3.0f);
    EXPECT_EQ(nextS, nothing);
    EXPECT_EQ(freshK, nothing);
}

TEST_F(ControlsRunTest, ADamagedKeymapGivesTheShippedBindingsAndOneWarning) {
    fs::create_directories(keymap.parent_path());
    std::ofstream(keymap) << R"({"MoveDown": ["K", "NoSuchKey"]})";
    std::string printed;
    const float withS = SubHeightAfter("1 key down S\n", home, 120, &printed);
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
    EXPECT_NE(printed.find("keymap.json"), std::string::npos) << printed;
    EXPECT_LT(withS, SubHeightAfter("", home, 120) - 3.0f) << "S steers down as shipped";
    EXPECT_EQ(ReadAll(keymap), R"({"MoveDown": ["K", "NoSuchKey"]})") << "the player's file is left to mend";
}

} // namespace
