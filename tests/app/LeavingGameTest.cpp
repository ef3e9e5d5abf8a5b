// The real game, headless, left as a player leaves it: the main menu's Quit (asking "Save first?"
// only when there is progress no slot holds), the store left behind, the window closed. Progress is
// never lost: it goes to a slot the player picks or to the autosave, which the load menu lists. And
// the editor left: the game runs on unless the player paused it on purpose.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "GameProcess.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Field(const std::string& state, const std::string& key) {
    std::smatch match;
    const std::regex pattern("\"" + key + "\": ([a-z0-9.-]+)");
    return std::regex_search(state, match, pattern) ? match[1].str() : "?";
}

// Seed 1: the submarine sinks onto the terrain below the start while the drill digs under it, frames
// 1 to 380: progress that no slot holds.
const std::string Dig = "1 key down S\n1 mouse move 152 380\n60 button down LeftMouse\n"
                        "300 mouse move 120 380\n380 button up LeftMouse\n380 key up S\n";

// A player's own folders, emptied first; each run plays a script and reports its state and its last
// frame (from its recording).
struct Player {
    explicit Player(const char* name) : root(fs::path(KELVANE_BIN_DIR) / ".." / "test-leaving" / name) {
        fs::remove_all(root);
        fs::create_directories(root);
    }

    GameRun Play(const std::string& script, int seed, int frames) {
        std::ofstream(root / "play.script") << script;
        run = RunGame({"--headless", "--fixed-step", "--seed", std::to_string(seed), "--frames",
                       std::to_string(frames), "--script", (root / "play.script").string(), "--game-state",
                       (root / "state.json").string(), "--record", (root / "session.replay").string()},
                      {"XDG_DATA_HOME=" + (root / "data").string()});
        EXPECT_EQ(run.ExitCode, 0) << run.Stderr;
        state = ReadText(root / "state.json");
        std::smatch match;
        const std::string recording = ReadText(root / "session.replay");
        lastFrame =
            std::regex_search(recording, match, std::regex(R"((\d+) end\s*$)")) ? std::stoi(match[1]) : -1;
        return run;
    }

    fs::path Slot(const std::string& name) const { return root / "data" / "Kelvane" / (name + ".sav"); }

    fs::path root;
    GameRun run;
    std::string state;
    int lastFrame = -1;
};

// A key pressed for two frames at `frame`.
std::string Tap(int frame, const char* key) {
    return std::to_string(frame) + " key down " + key + "\n" + std::to_string(frame + 2) + " key up " + key +
           "\n";
}

// The main menu's last line, Quit: Esc opens the menu on its first line, Up wraps to the last.
std::string ChooseQuit(int frame) {
    return Tap(frame, "Esc") + Tap(frame + 6, "Up") + Tap(frame + 12, "Space");
}

TEST(LeavingGameTest, QuitAsksSaveFirstOnlyWithUnsavedProgressAndEitherAnswerKeepsIt) {
    // Nothing done: Quit ends the game at once and writes nothing.
    Player idle("idle");
    idle.Play(ChooseQuit(30), 1, 600);
    EXPECT_LT(idle.lastFrame, 50);
    EXPECT_FALSE(fs::exists(idle.Slot("Autosave")));

    // After digging, Quit asks first and holds the game until answered.
    Player asked("asked");
    asked.Play(Dig + ChooseQuit(400), 1, 430);
    EXPECT_EQ(asked.lastFrame, 430);
    EXPECT_NE(asked.state.find(R"("openMenus": ["UiMessageBox"])"), std::string::npos) << asked.state;
    EXPECT_EQ(Field(asked.state, "paused"), "true");

    // No (Esc): the game ends, its progress in the autosave and no numbered slot written.
    Player no("no");
    no.Play(Dig + ChooseQuit(400) + Tap(440, "Esc"), 1, 600);
    EXPECT_LT(no.lastFrame, 450);
    EXPECT_TRUE(fs::exists(no.Slot("Autosave")));
    EXPECT_FALSE(fs::exists(no.Slot("SavedGame1")));
    EXPECT_NE(no.run.Stdout.find("autosave"), std::string::npos) << no.run.Stdout;
    // The load menu lists it last, as "Autosave", and loading it brings the game back.
    const std::string quitState = no.state;
    no.Play(Tap(30, "Esc") + Tap(36, "Down") + Tap(42, "Down") + Tap(48, "Space") + Tap(54, "Up") +
                Tap(60, "Space"),
            2, 80);
    for (const char* key : {"money", "storageUsed", "health"}) {
        EXPECT_EQ(Field(no.state, key), Field(quitState, key)) << key;
    }
    const size_t items = no.state.find("\"items\"");
    EXPECT_EQ(no.state.substr(items, no.state.find(']', items) - items),
              quitState.substr(quitState.find("\"items\""), quitState.find(']', quitState.find("\"items\"")) -
                                                                quitState.find("\"items\"")));

    // Yes (Enter): the save menu; the slot chosen is written and the game ends, nothing autosaved.
    Player yes("yes");
    yes.Play(Dig + ChooseQuit(400) + Tap(440, "Space") + Tap(450, "Space"), 1, 600);
    EXPECT_LT(yes.lastFrame, 460);
    EXPECT_TRUE(fs::exists(yes.Slot("SavedGame1")));
    EXPECT_FALSE(fs::exists(yes.Slot("Autosave")));
}

TEST(LeavingGameTest, LeavingAStationAndClosingTheWindowKeepProgressInTheAutosave) {
    // The store's visit ends with Esc on the loadout page at frame 1006 and on the front page at 1016:
    // the game autosaves as the submarine leaves, with the money the sale and the purchase left.
    Player visit("station");
    visit.Play(ReadText(fs::path(KELVANE_SOURCE_DIR) / "docs" / "visit-the-store.script"), 29, 1046);
    const std::string autosave = ReadText(visit.Slot("Autosave"));
    ASSERT_GT(autosave.size(), 64600u);
    const auto int32At = [&](size_t at) {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= static_cast<uint32_t>(static_cast<uint8_t>(autosave[at + i])) << (8 * i);
        }
        return static_cast<int32_t>(value);
    };
    const size_t player = 4 + static_cast<size_t>(int32At(12));
    EXPECT_EQ(std::to_string(int32At(player + 20)), Field(visit.state, "money"));
    EXPECT_FALSE(fs::exists(visit.Slot("SavedGame1")));

    // Closing the window after digging keeps the dig in the autosave; the game ends there.
    Player closing("closing");
    closing.Play(Dig + "400 window close\n", 1, 600);
    EXPECT_LE(closing.lastFrame, 401);
    EXPECT_TRUE(fs::exists(closing.Slot("Autosave")));
    EXPECT_NE(closing.run.Stdout.find("autosave"), std::string::npos) << closing.run.Stdout;

    // Closing with nothing done writes nothing.
    Player idle("closing-idle");
    idle.Play("30 window close\n", 1, 600);
    EXPECT_LE(idle.lastFrame, 31);
    EXPECT_FALSE(fs::exists(idle.Slot("Autosave")));
}

// The editor's "Pause game" toggle (clicked at its place in the main palette) holds the game while
// the editor is open; closing the editor (F11) lets it run on. The Pause key's pause outlasts the
// editor until Pause is pressed again.
TEST(LeavingGameTest, ClosingTheEditorLetsTheGameRunUnlessPausedWithThePauseKey) {
    const std::string openAndToggle =
        Tap(5, "F11") + "8 mouse move 85 60\n10 button down LeftMouse\n11 button up LeftMouse\n";
    Player editor("editor");
    editor.Play(openAndToggle, 1, 40);
    EXPECT_EQ(Field(editor.state, "paused"), "true");
    editor.Play(openAndToggle + Tap(20, "F11"), 1, 40);
    EXPECT_EQ(Field(editor.state, "paused"), "false");

    const std::string onPurpose = Tap(5, "F11") + Tap(10, "Pause") + Tap(20, "F11");
    editor.Play(onPurpose, 1, 40);
    EXPECT_EQ(Field(editor.state, "paused"), "true");
    editor.Play(onPurpose + Tap(30, "Pause"), 1, 40);
    EXPECT_EQ(Field(editor.state, "paused"), "false");
}

} // namespace
