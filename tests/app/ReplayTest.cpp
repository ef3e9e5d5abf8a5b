#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FastClock.h"
#include "GameProcess.h"
#include "app/Application.h"
#include "app/ReplayFiles.h"
#include "core/ContentError.h"
#include "core/Service.h"
#include "platform/Clock.h"
#include "platform/SessionRecording.h"
#include "saves/SlotFiles.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A machine that keeps missing its frames: every few sleeps it oversleeps by a varying amount, so
// the pacer's frames last one, two or three periods, in an order no fixed step would give.
class WobblyClock final : public Clock {
public:
    uint64_t Now() override { return now_ += 1; }
    uint64_t Frequency() override { return 1'000'000; }
    void SleepMs(uint32_t ms) override {
        static constexpr uint64_t Oversleep[] = {0, 21'000, 0, 0, 5'000, 38'000, 0, 12'000};
        now_ += ms * 1000ull + Oversleep[sleeps_++ % std::size(Oversleep)];
    }

private:
    uint64_t now_ = 1'000'000;
    uint64_t sleeps_ = 0;
};

// Sinks onto the terrain, drills while steering, then saves to slot 1 through the menus.
constexpr const char* PlayScript = "1 key down S\n"
                                   "1 mouse move 152 380\n"
                                   "60 button down LeftMouse\n"
                                   "200 key down A\n"
                                   "230 key up A\n"
                                   "300 mouse move 120 380\n"
                                   "380 button up LeftMouse\n"
                                   "380 key up S\n"
                                   "400 key down Esc\n402 key up Esc\n"
                                   "406 key down Down\n408 key up Down\n"
                                   "412 key down Down\n414 key up Down\n"
                                   "418 key down Down\n420 key up Down\n"
                                   "424 key down Space\n426 key up Space\n"  // Save Game
                                   "430 key down Space\n432 key up Space\n"; // slot 1

struct Folders {
    explicit Folders(const char* name) : root(fs::path(KELVANE_BIN_DIR) / ".." / "test-replay" / name) {
        fs::remove_all(root);
        fs::create_directories(root);
        std::ofstream(root / "play.script") << PlayScript;
    }
    const fs::path root;
};

// A session on the fixed-rate pacer of a machine whose frames wobble, recorded; its replay, on a
// steady machine, ends in the same state, the same world and the same saved game, byte for byte.
TEST(ReplayTest, AWobblySessionReplaysToTheSameStateMapAndSavedGame) {
    Folders folders("wobbly");
    const fs::path& dir = folders.root;
    const fs::path recordedSaves = dir / "recorded-saves";
    SlotFolderOverride slots{recordedSaves};
    auto slotScope = std::make_unique<Service<SlotFolderOverride>::Scoped>(slots);
    AppOptions recorded;
    recorded.Headless = true;
    recorded.Frames = 440;
    recorded.Seed = 5;
    recorded.ScriptPath = (dir / "play.script").string();
    recorded.RecordPath = (dir / "session.replay").string();
    recorded.GameStatePath = (dir / "recorded.json").string();
    recorded.WorldMapPath = (dir / "recorded.png").string();
    {
        WobblyClock clock;
        Application game(recorded, clock);
        ASSERT_EQ(game.Run(), 0);
    }
    slotScope.reset();
    const std::string recording = ReadText(recorded.RecordPath);
    EXPECT_NE(recording.find(" delta 0.0333"), std::string::npos) << "the frames did not wobble";
    EXPECT_NE(recording.find("\n440 end\n"), std::string::npos);
    ASSERT_TRUE(fs::exists(recordedSaves / "SavedGame1.sav"));

    // The replay, in its own process as a player would run it.
    const fs::path state = dir / "state";
    const GameRun replay =
        RunGame({"--headless", "--replay", recorded.RecordPath, "--game-state",
                 (dir / "replayed.json").string(), "--world-map", (dir / "replayed.png").string()},
                {"XDG_STATE_HOME=" + state.string()});
    ASSERT_EQ(replay.ExitCode, 0) << replay.Stderr;
    EXPECT_EQ(replay.Stderr,
              ReplayFilesLine(state / "Kelvane" / "replay-saves", state / "Kelvane" / "replay-files"));
    EXPECT_EQ(ReadText(dir / "replayed.json"), ReadText(recorded.GameStatePath));
    EXPECT_TRUE(ReadText(dir / "replayed.png") == ReadText(recorded.WorldMapPath));
    const std::string saved = ReadText(recordedSaves / "SavedGame1.sav");
    EXPECT_TRUE(ReadText(state / "Kelvane" / "replay-saves" / "SavedGame1.sav") == saved);

    // The same script on a fixed step is another game: the recorded frame lengths mattered.
    const GameRun steady =
        RunGame({"--headless", "--fixed-step", "--seed", "5", "--frames", "440", "--script",
                 (dir / "play.script").string(), "--game-state", (dir / "steady.json").string()},
                {"XDG_STATE_HOME=" + state.string(), "XDG_DATA_HOME=" + (dir / "steady").string()});
    ASSERT_EQ(steady.ExitCode, 0) << steady.Stderr;
    EXPECT_NE(ReadText(dir / "steady.json"), ReadText(recorded.GameStatePath));
}

// A session that loads a saved game carries the file in its recording: the replay loads the same
// game on a machine that never had it.
TEST(ReplayTest, ASessionThatLoadsASavedGameReplaysWithoutThePlayersFilesOrKeymap) {
    Folders folders("load");
    const fs::path& dir = folders.root;
    const std::vector<std::string> env{"XDG_STATE_HOME=" + (dir / "state").string(),
                                       "XDG_DATA_HOME=" + (dir / "data").string()};
    const GameRun saving = RunGame({"--headless", "--fixed-step", "--seed", "1", "--frames", "440",
                                    "--script", (dir / "play.script").string()},
                                   env);
    ASSERT_EQ(saving.ExitCode, 0) << saving.Stderr;
    ASSERT_TRUE(fs::exists(dir / "data" / "Kelvane" / "SavedGame1.sav"));

    // The player steers down with K, their own binding; the replaying machine has no keymap.
    fs::create_directories(dir / "config" / "Kelvane");
    std::ofstream(dir / "config" / "Kelvane" / "keymap.json") << R"({"MoveDown": ["K", "Down"]})";
    std::ofstream(dir / "load.script") << "30 key down Esc\n32 key up Esc\n"
                                          "36 key down Down\n38 key up Down\n"
                                          "40 key down Down\n41 key up Down\n"
                                          "42 key down Space\n44 key up Space\n" // Load Game
                                          "48 key down Space\n50 key up Space\n" // slot 1
                                          "56 key down K\n86 key up K\n";
    std::vector<std::string> playerEnv = env;
    playerEnv.push_back("XDG_CONFIG_HOME=" + (dir / "config").string());
    const GameRun loading =
        RunGame({"--headless", "--fixed-step", "--seed", "2", "--frames", "90", "--script",
                 (dir / "load.script").string(), "--record", (dir / "load.replay").string(), "--game-state",
                 (dir / "loaded.json").string()},
                playerEnv);
    ASSERT_EQ(loading.ExitCode, 0) << loading.Stderr;
    EXPECT_NE(ReadText(dir / "load.replay").find("\n48 file SavedGame1 "), std::string::npos);
    EXPECT_NE(ReadText(dir / "load.replay").find("\n1 file keymap.json "), std::string::npos);

    fs::remove_all(dir / "data");
    std::vector<std::string> otherEnv = env;
    otherEnv.push_back("XDG_CONFIG_HOME=" + (dir / "elsewhere").string());
    const GameRun replay = RunGame({"--headless", "--replay", (dir / "load.replay").string(), "--game-state",
                                    (dir / "replayed.json").string()},
                                   otherEnv);
    ASSERT_EQ(replay.ExitCode, 0) << replay.Stderr;
    EXPECT_EQ(ReadText(dir / "replayed.json"), ReadText(dir / "loaded.json"));
    EXPECT_FALSE(fs::exists(dir / "data" / "Kelvane" / "SavedGame1.sav"))
        << "the replay wrote a player's slot";
}

// A session that dies mid-way leaves its replay in the state folder and says where in one line;
// played back, it reaches the state the session had when it died.
TEST(ReplayTest, ASessionThatAbortsLeavesAReplayOfItsLastWholeFrame) {
    Folders folders("abort");
    const fs::path& dir = folders.root;
    const fs::path state = dir / "state";
    const std::vector<std::string> env{"XDG_STATE_HOME=" + state.string(),
                                       "XDG_DATA_HOME=" + (dir / "data").string()};
    const std::string script = (dir / "play.script").string();

    std::vector<std::string> crashEnv = env;
    crashEnv.push_back("KELVANE_TEST_ABORT_AT_FRAME=351");
    const GameRun crashed = RunGame({"--headless", "--fixed-step", "--script", script}, crashEnv);
    EXPECT_EQ(crashed.ExitCode, -1); // killed by the abort's signal
    const fs::path replayFile = state / "Kelvane" / "last-session.replay";
    EXPECT_EQ(crashed.Stderr,
              "kelvane: crashed (signal 6); the session's replay is " + replayFile.string() + "\n");
    const std::string recording = ReadText(replayFile);
    ASSERT_NE(recording.find("\n350 end\n"), std::string::npos) << recording;

    const GameRun replay = RunGame(
        {"--headless", "--replay", replayFile.string(), "--game-state", (dir / "replayed.json").string()},
        env);
    ASSERT_EQ(replay.ExitCode, 0) << replay.Stderr;
    // The seed came from the clock: the recording names it.
    const size_t seedAt = recording.find("\nseed ") + 6;
    const std::string seed = recording.substr(seedAt, recording.find('\n', seedAt) - seedAt);
    const GameRun direct = RunGame({"--headless", "--fixed-step", "--seed", seed, "--frames", "350",
                                    "--script", script, "--game-state", (dir / "direct.json").string()},
                                   env);
    ASSERT_EQ(direct.ExitCode, 0) << direct.Stderr;
    EXPECT_EQ(ReadText(dir / "replayed.json"), ReadText(dir / "direct.json"));
}

// Every file under the folder, by path relative to the root, with its bytes; leaving out the folders
// named in skip (relative paths). Folders themselves are not files: the replay makes its own.
void Snapshot(const fs::path& root, const fs::path& folder, const std::vector<fs::path>& skip,
              std::map<std::string, std::string>& files) {
    std::error_code error;
    for (auto entry = fs::recursive_directory_iterator(folder, error); !error && entry != fs::end(entry);
         entry.increment(error)) {
        const fs::path relative = fs::relative(entry->path(), root);
        if (std::find(skip.begin(), skip.end(), relative) != skip.end()) {
            entry.disable_recursion_pending();
            continue;
        }
        if (!entry->is_directory()) {
            files[relative.string()] = ReadText(entry->path());
        }
    }
}

// A session that changes the options, binds a key anew, saves a game and makes and saves a prefab in
// the editor writes all of that into the player's folders and Content; its replay writes it all
// again, but into folders of its own, and leaves every file of the player's as it was, byte for byte.
TEST(ReplayTest, AReplayLeavesEveryFileOfThePlayersAsItWas) {
    Folders folders("untouched");
    const fs::path& dir = folders.root;
    ContentCopy content;
    const fs::path state = dir / "state";
    const std::vector<std::string> env{"XDG_STATE_HOME=" + state.string(),
                                       "XDG_DATA_HOME=" + (dir / "data").string(),
                                       "XDG_CONFIG_HOME=" + (dir / "config").string()};
    // Options: master volume down; the controls page: "Steer down" on K; the main menu: save to slot 1;
    // the editor: "New" in the prefab list, then Ctrl+S.
    std::string script = "10 key down Esc\n12 key up Esc\n"
                         "20 key down Down\n22 key up Down\n24 key down Down\n26 key up Down\n"
                         "28 key down Down\n30 key up Down\n32 key down Down\n34 key up Down\n"
                         "40 key down OemEnter\n42 key up OemEnter\n"
                         "60 key down Left\n62 key up Left\n"
                         "70 key down Esc\n72 key up Esc\n80 key down Esc\n82 key up Esc\n";
    std::ifstream remap(fs::path(KELVANE_SOURCE_DIR) / "docs" / "remap-controls.script");
    for (std::string line; std::getline(remap, line);) {
        if (!line.empty() && line[0] != '#') {
            script += std::to_string(std::stoi(line) + 100) + line.substr(line.find(' ')) + "\n";
        }
    }
    script += "240 key down Esc\n242 key up Esc\n246 key down Down\n248 key up Down\n"
              "250 key down Down\n251 key up Down\n252 key down Down\n254 key up Down\n"
              "258 key down Space\n260 key up Space\n"
              "264 key down Space\n266 key up Space\n"
              "290 key down F11\n291 key up F11\n300 mouse move 395 60\n"
              "301 button down LeftMouse\n302 button up LeftMouse\n"
              "305 key down Ctrl\n306 key down S\n307 key up S\n308 key up Ctrl\n";
    std::ofstream(dir / "everything.script") << script;
    const GameRun session =
        RunGameIn(content.Folder(),
                  {"--headless", "--fixed-step", "--seed", "4", "--frames", "330", "--script",
                   (dir / "everything.script").string(), "--record", (dir / "everything.replay").string()},
                  env);
    ASSERT_EQ(session.ExitCode, 0) << session.Stderr;
    const fs::path shipped = fs::path(content.Folder()) / "Content";
    ASSERT_TRUE(fs::exists(dir / "config" / "Kelvane" / "settings.json"));
    ASSERT_TRUE(fs::exists(dir / "config" / "Kelvane" / "keymap.json"));
    ASSERT_TRUE(fs::exists(dir / "data" / "Kelvane" / "SavedGame1.sav"));
    ASSERT_TRUE(fs::exists(shipped / "Prefabs" / "NewPrefab.json"));

    const std::vector<fs::path> replays{"state/Kelvane/replay-saves", "state/Kelvane/replay-files"};
    std::map<std::string, std::string> before;
    std::map<std::string, std::string> after;
    Snapshot(dir, dir, replays, before);
    Snapshot(shipped, shipped, {}, before);
    const GameRun replay =
        RunGameIn(content.Folder(), {"--headless", "--replay", (dir / "everything.replay").string()}, env);
    ASSERT_EQ(replay.ExitCode, 0) << replay.Stderr;
    const fs::path saves = state / "Kelvane" / "replay-saves";
    const fs::path files = state / "Kelvane" / "replay-files";
    EXPECT_EQ(replay.Stderr, ReplayFilesLine(saves, files));
    Snapshot(dir, dir, replays, after);
    Snapshot(shipped, shipped, {}, after);
    for (const auto& [file, bytes] : after) {
        EXPECT_TRUE(before.count(file) && before.at(file) == bytes) << "the replay wrote " << file;
    }
    for (const auto& [file, bytes] : before) {
        EXPECT_TRUE(after.count(file)) << "the replay removed " << file;
    }
    // What the session wrote, the replay wrote too, where it says.
    EXPECT_TRUE(fs::exists(saves / "SavedGame1.sav"));
    EXPECT_TRUE(fs::exists(files / "settings.json"));
    EXPECT_TRUE(fs::exists(files / "keymap.json"));
    // Content now holds the session's NewPrefab, so the replay's new prefab takes the next free name.
    EXPECT_FALSE(fs::is_empty(files / "Prefabs"));
}

// A recording of another version, a damaged one, a plain script, or one that names more than a game
// makes (frames beyond a day, frame lengths the pacer never gives, files that are no slot or larger
// than a save, more slots than there are) is refused before anything starts, in one short line naming
// the file and the line, whatever bytes it holds; so is a recording that is no regular file, and a
// replay whose saved games cannot be put in place.
TEST(ReplayTest, ForeignOrDamagedRecordingsAreRefusedInOneLine) {
    Folders folders("refused");
    const fs::path file = folders.root / "session.replay";
    const std::string head = "version " KELVANE_VERSION "\nseed 3\n";
    const auto refusalOf = [&](const std::string& replay, const std::vector<std::string>& env) {
        const GameRun run = RunGame({"--headless", "--replay", replay}, env);
        EXPECT_EQ(run.ExitCode, 2) << run.Stderr;
        EXPECT_EQ(run.Stderr.find('\n'), run.Stderr.size() - 1) << "one line: " << run.Stderr;
        EXPECT_LT(run.Stderr.size(), 400u) << "a short line";
        for (const char c : run.Stderr.substr(0, run.Stderr.size() - 1)) {
            EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20) << "a control character in " << run.Stderr;
        }
        return run.Stderr;
    };
    const std::vector<std::string> env{"XDG_STATE_HOME=" + (folders.root / "state").string()};
    const auto refusal = [&](const std::string& text) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
        return refusalOf(file.string(), env);
    };
    const std::string at = "kelvane: " + file.string();
    EXPECT_EQ(refusal("# old\nversion 0.0.1\nseed 3\n5 end\n"),
              at + ":2: recorded by version 0.0.1, this is " KELVANE_VERSION "\n");
    EXPECT_EQ(refusal(head + "4 key down W\n5 key do"),
              at + ":4: expected \"key down <name>\" or \"key up <name>\"\n");
    EXPECT_EQ(refusal("1 key down W\n"), at + ": not a recorded session: it has no \"version\" line\n");

    // Frames no session reaches.
    EXPECT_EQ(refusal(head + "9223372036854775807 end\n"),
              at + ":3: frame 9223372036854775807 is beyond the last a script may name, 5184000 (a day at 60 "
                   "frames a second)\n");
    EXPECT_NE(refusal(head + "1000000000000 key down W\n").find(":3: frame 1000000000000 is beyond"),
              std::string::npos);
    // Frame lengths the pacer never makes, however small.
    EXPECT_NE(refusal(head + "2 delta 1e-45\n5 end\n").find(at + ":3: "), std::string::npos);
    for (const char* delta : {"1e-20", "0.02", "0.5"}) {
        EXPECT_EQ(refusal(head + "2 delta " + delta + "\n5 end\n"),
                  at + ":3: a frame length the game never makes: a whole number of frames at 60 a second, up "
                       "to 6\n");
    }
    // Words quoted short and harmless: a terminal escape, a word of a megabyte.
    EXPECT_EQ(refusal(head + "1 key down \x1b]0;owned\x07\n"),
              at + ":3: unknown key name \"\\x1b]0;owned\\x07\"\n");
    EXPECT_EQ(refusal(head + std::string(1 << 20, 'x') + "\n"), at + ":3: expected a frame number, found \"" +
                                                                    std::string(40, 'x') +
                                                                    "...\" (1048576 bytes)\n");
    // Files a replay would write: only slots (as many as a menu has) and the keymap, no larger than theirs.
    EXPECT_EQ(refusal(head + "1 file ../../.bashrc =\n5 end\n"),
              at + ":3: \"../../.bashrc\" is neither a saved game's slot nor the keymap\n");
    std::string slots = head;
    for (int slot = 1; slot <= 9; ++slot) {
        slots += "1 file SavedGame" + std::to_string(slot) + " =\n";
    }
    EXPECT_EQ(refusal(slots + "5 end\n"), at + ":11: more than 8 saved games' slots\n");
    EXPECT_EQ(refusal(head + "1 file keymap.json " + std::string(90000, 'A') + "\n5 end\n"),
              at + ":3: too large: a file of 67500 bytes, over the 65536 allowed\n");

    // No regular file: read without blocking or growing.
    const fs::path fifo = folders.root / "fifo.replay";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(refusalOf(fifo.string(), env),
              "kelvane: " + fifo.string() + ": cannot read the file: not a regular file\n");
    EXPECT_EQ(refusalOf("/dev/zero", env), "kelvane: /dev/zero: cannot read the file: not a regular file\n");

    // A state folder that is a file: the replay's saved games have nowhere to go.
    std::ofstream(file, std::ios::trunc) << head << "5 end\n";
    std::ofstream(folders.root / "a-file") << "x";
    EXPECT_NE(refusalOf(file.string(), {"XDG_STATE_HOME=" + (folders.root / "a-file").string()})
                  .find(at + ": cannot make the folder for what it writes: "),
              std::string::npos);
}

// A recorded session killed without warning leaves most of its recording, never the previous
// session's, and its replay says that it ends early.
TEST(ReplayTest, AKilledSessionLeavesItsRecordingAndItsReplaySaysItEndsEarly) {
    Folders folders("killed");
    const fs::path state = folders.root / "state";
    const fs::path lastSession = state / "Kelvane" / "last-session.replay";
    fs::create_directories(lastSession.parent_path());
    std::ofstream(lastSession) << "version " KELVANE_VERSION "\nseed 1\n9 end\n";
    const std::vector<std::string> env{"XDG_STATE_HOME=" + state.string(),
                                       "XDG_DATA_HOME=" + (folders.root / "data").string()};
    const int pid =
        StartGame({"--headless", "--seed", "77", "--script", (folders.root / "play.script").string()}, env);
    ASSERT_GT(pid, 0);
    // The new session's recording replaces the old one as it starts.
    for (int tries = 0;
         tries < 6000 && ReadText(lastSession).find("button down LeftMouse") == std::string::npos; ++tries) {
        usleep(10'000);
    }
    kill(pid, SIGKILL);
    WaitForGame(pid, 60.0);
    const std::string recording = ReadText(lastSession);
    ASSERT_NE(recording.find("\nseed 77\n"), std::string::npos) << recording;
    EXPECT_EQ(recording.find(" end\n"), std::string::npos);

    const GameRun replay = RunGame({"--headless", "--replay", lastSession.string()}, env);
    ASSERT_EQ(replay.ExitCode, 0) << replay.Stderr;
    EXPECT_EQ(replay.Stderr.rfind("kelvane: " + lastSession.string() +
                                      ": recording ends early (no end line); replayed to frame ",
                                  0),
              0u)
        << replay.Stderr;
}

// A recording that fills its memory keeps the session's start, says so as it fills, and its first line
// says so in the file.
TEST(ReplayTest, AFullRecordingSaysItHoldsOnlyTheSessionsStart) {
    Folders folders("full");
    const fs::path file = folders.root / "full.replay";
    testing::internal::CaptureStderr();
    {
        auto recording = SessionRecording::InMemory(file.string(), 200, "# the start only");
        recording->Append("# a recorded session, its first line\nversion 1\nseed 2\n");
        recording->Commit(0);
        recording->Append("1 key down W\n");
        recording->Commit(1);
        recording->Append(std::string(300, '#'));
        recording->Commit(2);
        EXPECT_TRUE(recording->Full());
        EXPECT_TRUE(recording->Finish());
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "kelvane: the session's recording is full (200 bytes): " + file.string() +
                  " keeps only its start\n");
    EXPECT_EQ(ReadText(file),
              "# the start only" + std::string(20, ' ') + "\nversion 1\nseed 2\n1 key down W\n1 end\n");
}

// Content found broken during play ends the session with status 1 and one line naming the content
// and the replay, which holds every whole frame.
TEST(ReplayTest, BrokenContentDuringPlayEndsTheSessionWithItsReplay) {
    Folders folders("content");
    setenv("XDG_STATE_HOME", (folders.root / "state").c_str(), 1);
    const fs::path replayFile = folders.root / "state" / "Kelvane" / "last-session.replay";
    AppOptions options;
    options.Headless = true;
    options.Frames = 100;
    options.ScriptPath = (folders.root / "play.script").string();
    FastClock clock;
    Application game(options, clock);
    game.SetFrameObserver([](int64_t frame) {
        if (frame == 70) {
            throw ContentError("Content/Prefabs/Broken.json", "no such thing");
        }
    });
    testing::internal::CaptureStderr();
    EXPECT_EQ(game.Run(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "kelvane: Content/Prefabs/Broken.json: no such thing; the session's replay is " +
                  replayFile.string() + "\n");
    const std::string recording = ReadText(replayFile);
    EXPECT_EQ(recording.substr(recording.size() - 8), "\n70 end\n");
    EXPECT_NE(recording.find("\n60 button down LeftMouse\n"), std::string::npos) << recording;
}

} // namespace
