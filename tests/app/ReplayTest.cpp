#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "FastClock.h"
#include "GameProcess.h"
#include "app/Application.h"
#include "core/ContentError.h"
#include "core/Service.h"
#include "platform/Clock.h"
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
    EXPECT_EQ(replay.Stderr, "");
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

// A recording of another version, a damaged one or a plain script is refused before anything starts,
// in one line naming the file and the line.
TEST(ReplayTest, ForeignOrDamagedRecordingsAreRefusedInOneLine) {
    Folders folders("refused");
    const fs::path file = folders.root / "session.replay";
    const auto refusal = [&](const std::string& text) {
        std::ofstream(file) << text;
        const GameRun run = RunGame({"--headless", "--replay", file.string()},
                                    {"XDG_STATE_HOME=" + (folders.root / "state").string()});
        EXPECT_EQ(run.ExitCode, 2) << text;
        return run.Stderr;
    };
    EXPECT_EQ(refusal("# old\nversion 0.0.1\nseed 3\n5 end\n"),
              "kelvane: " + file.string() + ":2: recorded by version 0.0.1, this is " KELVANE_VERSION "\n");
    EXPECT_EQ(refusal("version " KELVANE_VERSION "\nseed 3\n4 key down W\n5 key do"),
              "kelvane: " + file.string() + ":4: expected \"key down <name>\" or \"key up <name>\"\n");
    EXPECT_EQ(refusal("1 key down W\n"),
              "kelvane: " + file.string() + ": not a recorded session: it has no \"version\" line\n");
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
