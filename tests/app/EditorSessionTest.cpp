// A person's editing session in the real game, in a window, driven by a script of keys and mouse
// moves: open the editor, pick an object on screen, change one of its values, write it into its
// prefab, save, close the editor and play on. The saved file differs from the old one in exactly
// that value. And the README's undo and redo scripts, headless.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "GameProcess.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Frame by frame: F11; Ctrl+G and a click on the fourth quick-slot frame of the HUD; a click into
// the value of its sprite's "Size.X" row in the edit palette, 55 replaced by 60 and Enter; Alt+S
// writes the object into its prefab; Ctrl+Shift+S saves; F11 closes the editor.
constexpr const char* Session = R"(# editor session
2 key down F11
3 key up F11
5 key down Ctrl
6 key down G
7 key up G
8 key up Ctrl
10 mouse move 1177 50
11 button down LeftMouse
12 button up LeftMouse
16 mouse move 930 356
17 button down LeftMouse
18 button up LeftMouse
20 key down Backspace
21 key up Backspace
22 key down Backspace
23 key up Backspace
24 key down Oem6
25 key up Oem6
26 key down Oem0
27 key up Oem0
28 key down OemEnter
29 key up OemEnter
31 key down Alt
32 key down S
33 key up S
34 key up Alt
36 key down Ctrl
37 key down Shift
38 key down S
39 key up S
40 key up Shift
41 key up Ctrl
44 key down F11
45 key up F11
)";

TEST(EditorSessionTest, AValueEditedInTheRunningGameIsSavedAsExactlyThatChange) {
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "no X display (scripts/test.sh starts Xvfb)";
    }
    ContentCopy content;
    const std::filesystem::path prefabs = std::filesystem::path(content.Folder()) / "Content" / "Prefabs";
    const std::string frameBefore = ReadFile(prefabs / "HudQuickslotFrame.json");
    const std::string hudBefore = ReadFile(prefabs / "Hud.json");
    const size_t filesBefore = static_cast<size_t>(
        std::distance(std::filesystem::directory_iterator(prefabs), std::filesystem::directory_iterator()));
    content.Write("session.txt", Session);

    const GameRun run = RunGameIn(content.Folder(), {"--frames", "90", "--script", "session.txt"});
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
    EXPECT_NE(run.Stdout.find("/Content/Prefabs (the Content folder beside the game)"), std::string::npos)
        << run.Stdout;

    std::string expected = frameBefore;
    const std::string size = "\"X\": \"55\"";
    ASSERT_NE(expected.find(size), std::string::npos);
    expected.replace(expected.find(size), size.size(), "\"X\": \"60\"");
    EXPECT_EQ(ReadFile(prefabs / "HudQuickslotFrame.json"), expected);
    // The HUD's entry for the frame stores only its position, which did not change.
    EXPECT_EQ(ReadFile(prefabs / "Hud.json"), hudBefore);
    EXPECT_EQ(static_cast<size_t>(std::distance(std::filesystem::directory_iterator(prefabs),
                                                std::filesystem::directory_iterator())),
              filesBefore);
}

// The prefab files of a folder by name.
std::map<std::string, std::string> PrefabFiles(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files[entry.path().filename().string()] = ReadFile(entry.path());
    }
    return files;
}

// The prefab files after a headless run of the script on a copy of Content.
std::map<std::string, std::string> PrefabFilesAfter(const std::string& script) {
    ContentCopy content;
    content.Write("session.txt", script);
    const GameRun run = RunGameIn(content.Folder(), {"--headless", "--fixed-step", "--seed", "1", "--frames",
                                                     "120", "--script", "session.txt"});
    EXPECT_EQ(run.ExitCode, 0) << run.Stderr;
    EXPECT_NE(run.Stdout.find("editor: saved all changed prefabs"), std::string::npos) << run.Stdout;
    return PrefabFiles(std::filesystem::path(content.Folder()) / "Content" / "Prefabs");
}

TEST(EditorSessionTest, TheUndoScriptLeavesThePrefabFilesAsTheyWereAndTheRedoScriptAsWithoutUndo) {
    const std::filesystem::path docs = std::filesystem::path(KELVANE_SOURCE_DIR) / "docs";
    const auto shipped = PrefabFiles(std::filesystem::path(KELVANE_BIN_DIR) / "Content" / "Prefabs");
    EXPECT_EQ(PrefabFilesAfter(ReadFile(docs / "editor-undo.script")), shipped);

    const std::string redo = ReadFile(docs / "editor-redo.script");
    // The same session without its Z and Y keys: the three changes, neither undone nor redone.
    const std::string plain = std::regex_replace(redo, std::regex(R"(\d+ key (down|up) [ZY]\n)"), "");
    ASSERT_NE(plain, redo);
    const auto redone = PrefabFilesAfter(redo);
    EXPECT_NE(redone, shipped);
    EXPECT_EQ(redone, PrefabFilesAfter(plain));
}

} // namespace
