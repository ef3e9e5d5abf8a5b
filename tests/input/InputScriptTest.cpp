#include <sstream>

#include <gtest/gtest.h>

#include "InputFixture.h"
#include "input/InputRecorder.h"
#include "input/InputScript.h"
#include "input/InputScriptError.h"
#include "input/InputScriptPlayer.h"

namespace {

using Kind = InputScriptEvent::Kind;
using ScriptedMouseAndTaps = InputFixture;

InputScript Parse(const std::string& text) {
    std::istringstream stream(text);
    return InputScript::Parse(stream, "play.txt");
}

// The "file:line: problem" message a malformed script produces.
std::string ErrorOf(const std::string& text) {
    try {
        Parse(text);
    } catch (const InputScriptError& e) {
        return e.what();
    }
    return "no error";
}

TEST(InputScriptParsing, EveryKindOfLine) {
    const InputScript script = Parse("# warm-up\n"
                                     "\n"
                                     "1 key down W   # hold W\n"
                                     "1\tmouse move 640 360.5\n"
                                     "3 button down LeftMouse\n"
                                     "3 button up LeftMouse\n"
                                     "101 key up W\n");
    const auto& events = script.Events();
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].Type, Kind::KeyDown);
    EXPECT_EQ(events[0].Target, Key::W);
    EXPECT_EQ(events[0].VirtualKey, 0x57);
    EXPECT_EQ(events[0].Line, 3);
    EXPECT_EQ(events[1].Type, Kind::MouseMove);
    EXPECT_EQ(events[1].Position, Vector2(640.0f, 360.5f));
    EXPECT_EQ(events[2].Type, Kind::ButtonDown);
    EXPECT_EQ(events[2].Target, Key::LeftMouse);
    EXPECT_EQ(events[3].Type, Kind::ButtonUp);
    EXPECT_EQ(events[4].Frame, 101);
    EXPECT_EQ(events[4].Type, Kind::KeyUp);
}

TEST(InputScriptParsing, MalformedLinesNameFileAndLine) {
    EXPECT_EQ(ErrorOf("1 key down W\nx key down W\n"), "play.txt:2: expected a frame number, found \"x\"");
    EXPECT_EQ(ErrorOf("# c\n\n5 key down w\n"), "play.txt:3: unknown key name \"w\"");
    EXPECT_EQ(ErrorOf("0 key down W\n"), "play.txt:1: frame numbers start at 1");
    EXPECT_EQ(ErrorOf("-3 key down W\n"), "play.txt:1: frame numbers start at 1");
    EXPECT_EQ(ErrorOf("10 key down W\n9 key up W\n"), "play.txt:2: frame 9 comes after frame 10");
    EXPECT_EQ(ErrorOf("1 jump\n"), "play.txt:1: unknown event \"jump\" (expected key, mouse, button, pad, "
                                   "focus, window, delta, file or end)");
    EXPECT_EQ(ErrorOf("1\n"), "play.txt:1: expected \"key\", \"mouse\", \"button\", \"pad\", \"focus\", "
                              "\"window\", \"delta\", \"file\" or \"end\" after the frame number");
}

TEST(InputScriptParsing, WrongArgumentsAreRefused) {
    EXPECT_NE(ErrorOf("1 key press W\n").find("play.txt:1: expected \"key down"), std::string::npos);
    EXPECT_NE(ErrorOf("1 key down W extra\n").find("play.txt:1:"), std::string::npos);
    EXPECT_NE(ErrorOf("1 key down\n").find("play.txt:1:"), std::string::npos);
    EXPECT_EQ(ErrorOf("1 mouse move 10\n"), "play.txt:1: expected \"mouse move <x> <y>\"");
    EXPECT_EQ(ErrorOf("1 mouse move 10 1e\n"), "play.txt:1: the mouse position must be two numbers");
    EXPECT_EQ(ErrorOf("1 mouse move 10 nan\n"), "play.txt:1: the mouse position must be two numbers");
    EXPECT_EQ(ErrorOf("1.5 key down W\n"), "play.txt:1: expected a frame number, found \"1.5\"");
}

TEST(InputScriptParsing, KeysThatNoKeyMessageSetsAreRefused) {
    EXPECT_EQ(ErrorOf("1 key down RightShift\n"), "play.txt:1: no key message sets \"RightShift\"");
    EXPECT_EQ(ErrorOf("1 key down KeypadEnter\n"), "play.txt:1: no key message sets \"KeypadEnter\"");
    EXPECT_EQ(ErrorOf("1 key down None\n"), "play.txt:1: no key message sets \"None\"");
    EXPECT_EQ(ErrorOf("1 key down LeftMouse\n"),
              "play.txt:1: \"LeftMouse\" is a mouse button: use \"button down\"");
    EXPECT_EQ(ErrorOf("1 button up Space\n"),
              "play.txt:1: \"Space\" is not a mouse button (LeftMouse, MiddleMouse or RightMouse)");
}

TEST(InputScriptParsing, AMissingFileIsReportedWithoutALine) {
    try {
        InputScript::Load("/nonexistent/play.txt");
        FAIL() << "no error";
    } catch (const InputScriptError& e) {
        EXPECT_EQ(e.Line(), 0);
        EXPECT_EQ(std::string(e.what()), "/nonexistent/play.txt: cannot open the file");
    }
}

TEST(InputScriptPlaying, EventsComeDueAtTheirFrameInFileOrder) {
    InputScriptPlayer player(Parse("2 key down A\n2 key down B\n4 key up A\n"));
    EXPECT_EQ(player.LastFrame(), 4);
    EXPECT_TRUE(player.TakeDue(1).empty());
    const auto due = player.TakeDue(2);
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].Target, Key::A);
    EXPECT_EQ(due[1].Target, Key::B);
    EXPECT_TRUE(player.TakeDue(2).empty()); // taken once
    EXPECT_FALSE(player.Finished());
    EXPECT_EQ(player.TakeDue(7).size(), 1u); // a skipped frame's events come late, not never
    EXPECT_TRUE(player.Finished());
}

TEST(InputScriptParsing, RecordingLinesPadFocusAndFrameLengths) {
    const InputScript script = Parse("version 0.1.0\n"
                                     "seed 4294967295\n"
                                     "1 key down PadLeftShoulder\n"
                                     "2 pad aim -0.5 0.25\n"
                                     "3 delta 0.033333335\n"
                                     "3 focus out\n"
                                     "5 focus in\n"
                                     "9 end\n");
    EXPECT_EQ(script.Version(), "0.1.0");
    EXPECT_EQ(script.Seed(), 4294967295u);
    EXPECT_EQ(script.EndFrame(), 9);
    ASSERT_EQ(script.Deltas().size(), 1u);
    EXPECT_EQ(script.Deltas()[0].Seconds, 2.0f / 60.0f);
    const auto& events = script.Events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].Target, Key::PadLeftShoulder);
    EXPECT_EQ(events[1].Type, Kind::PadAim);
    EXPECT_EQ(events[1].Position, Vector2(-0.5f, 0.25f));
    EXPECT_EQ(events[2].Type, Kind::FocusOut);
    EXPECT_EQ(events[3].Type, Kind::FocusIn);

    EXPECT_EQ(ErrorOf("1 key down W\nseed 3\n"), "play.txt:2: \"seed\" comes before any event");
    EXPECT_EQ(ErrorOf("seed 3\nseed 4\n"), "play.txt:2: a second seed line");
    EXPECT_EQ(ErrorOf("seed -1\n"), "play.txt:1: the seed must be a whole number from 0 to 4294967295");
    EXPECT_EQ(ErrorOf("4 end\n5 key down W\n"), "play.txt:2: nothing may follow the \"end\" line");
    EXPECT_EQ(ErrorOf("1 delta 0\n"), "play.txt:1: expected \"delta <seconds>\", more than 0 and at most 1");
    EXPECT_EQ(ErrorOf("1 pad aim 2 0\n"), "play.txt:1: the pad aim must be two numbers from -1 to 1");
    EXPECT_EQ(ErrorOf("1 focus away\n"), "play.txt:1: expected \"focus in\" or \"focus out\"");
    EXPECT_EQ(ErrorOf("1 file SavedGame1 abc\n"), "play.txt:1: the file's bytes are not base64");
}

// What a session's pump left in the input manager, recorded frame by frame and played back into
// another input manager whose real devices sit idle, is the same state at every frame: keys, mouse
// buttons, the pointer, the pad's keys and aim, the focus, the frame lengths.
TEST(InputScriptPlaying, ARecordedSessionPlaysBackToTheSameInputEveryFrame) {
    struct Pumped {
        KeySet Keys;
        Vector2 Mouse;
        Vector2 Aim;
        bool Focused = true;
        float Delta = 1.0f / 60.0f;
    };
    std::vector<Pumped> session(12);
    for (size_t f = 1; f < session.size(); ++f) {
        session[f] = session[f - 1];
        session[f].Delta = 1.0f / 60.0f;
    }
    const auto from = [&](size_t frame, auto change) {
        for (size_t f = frame; f < session.size(); ++f)
            change(session[f]);
    };
    from(1, [](Pumped& p) { p.Keys.set(static_cast<size_t>(Key::W)); });
    from(2, [](Pumped& p) { p.Mouse = {640.25f, 1.0f / 3.0f}; });
    from(3, [](Pumped& p) { p.Keys.set(static_cast<size_t>(Key::LeftMouse)); });
    from(4, [](Pumped& p) { p.Keys.set(static_cast<size_t>(Key::PadRightTrigger)); });
    from(4, [](Pumped& p) { p.Aim = {0.70710677f, -0.3f}; });
    from(5, [](Pumped& p) { p.Focused = false; });
    from(6, [](Pumped& p) { p.Keys.reset(static_cast<size_t>(Key::W)); });
    from(7, [](Pumped& p) { p.Keys.reset(static_cast<size_t>(Key::PadRightTrigger)); });
    from(8, [](Pumped& p) { p.Focused = true; });
    session[6].Delta = 3.0f / 60.0f;

    InputManager recorded;
    InputRecorder recorder;
    std::string text = InputRecorder::Header("9.9", 7);
    for (size_t f = 1; f < session.size(); ++f) {
        recorded.CurrentKeys = session[f].Keys;
        recorded.MousePosition = session[f].Mouse;
        recorded.PadAim = session[f].Aim;
        recorder.Frame(static_cast<int64_t>(f), session[f].Delta, 1.0f / 60.0f, recorded, session[f].Focused,
                       text);
    }
    // Files the session read: every byte value, and one that was missing.
    std::vector<uint8_t> bytes(256 * 3 + 1);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 7);
    for (size_t size : {bytes.size(), bytes.size() - 1, bytes.size() - 2, size_t{0}}) {
        const std::span<const uint8_t> read(bytes.data(), size);
        InputRecorder::File(11, "SavedGame" + std::to_string(size), &read, text);
    }
    InputRecorder::File(11, "SavedGame5", nullptr, text);
    InputScriptPlayer player(Parse(text));
    EXPECT_TRUE(player.TakeDueFiles(10).empty());
    const auto files = player.TakeDueFiles(11);
    ASSERT_EQ(files.size(), 5u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(files[i].Bytes,
                  std::vector<uint8_t>(bytes.begin(), bytes.begin() + files[i].Bytes->size()));
    EXPECT_EQ(files[0].Bytes->size(), bytes.size());
    EXPECT_EQ(files[2].Bytes->size(), bytes.size() - 2);
    EXPECT_EQ(files[3].Name, "SavedGame0");
    EXPECT_FALSE(files[4].Bytes);
    GameTime time;
    time.FrameDelta = 1.0f / 60.0f;
    Service<GameTime>::Scoped timeService{time};
    InputManager replayed;
    for (size_t f = 1; f < session.size(); ++f) {
        const int64_t frame = static_cast<int64_t>(f);
        EXPECT_EQ(player.FrameDelta(frame, 1.0f / 60.0f), session[f].Delta) << f;
        // The main loop's frame update; a replay reads no real pad or mouse.
        replayed.FrameUpdate();
        player.Play(frame, replayed);
        EXPECT_EQ(replayed.CurrentKeys, session[f].Keys) << f << "\n" << text;
        EXPECT_EQ(replayed.MousePosition, session[f].Mouse) << f;
        EXPECT_EQ(replayed.PadAim, session[f].Aim) << f;
        EXPECT_EQ(player.HasFocus(), session[f].Focused) << f;
    }
}

// Presses shorter than a frame (a key tapped, a mouse click, a pad button, a key let go and pressed
// again) reach the game, and its recording plays them back as the same presses.
TEST_F(ScriptedMouseAndTaps, TapsWithinAFramePlayBackAsTheSamePresses) {
    InputManager& live = input;
    InputRecorder recorder;
    std::string text = InputRecorder::Header("9.9", 7);
    const auto tap = [](InputManager& in, Key key) {
        in.SetKeyState(key, true);
        in.SetKeyState(key, false);
    };
    std::vector<KeySet> current;
    std::vector<KeySet> pressed;
    const auto pressedKeys = [](const InputManager& in) {
        KeySet keys;
        for (size_t k = 0; k < keys.size(); ++k)
            keys.set(k, in.IsKeyPressed(static_cast<Key>(k)));
        return keys;
    };
    for (int64_t frame = 1; frame <= 8; ++frame) {
        Frame([&] {
            if (frame == 2)
                tap(live, Key::Esc);
            if (frame == 3)
                tap(live, Key::LeftMouse);
            if (frame == 4)
                live.SetKeyState(Key::PadA, true);
            if (frame == 6) {
                // Let go and pressed again: still down after.
                live.SetKeyState(Key::PadA, false);
                live.SetKeyState(Key::PadA, true);
            }
        });
        EXPECT_EQ(live.IsKeyPressed(Key::Esc), frame == 2) << frame;
        EXPECT_EQ(live.IsKeyPressed(Key::LeftMouse), frame == 3) << frame;
        EXPECT_EQ(live.IsKeyPressed(Key::PadA), frame == 4 || frame == 6) << frame;
        current.push_back(live.CurrentKeys);
        pressed.push_back(pressedKeys(live));
        recorder.Frame(frame, 1.0f / 60.0f, 1.0f / 60.0f, live, true, text);
    }
    InputScriptPlayer player(Parse(text));
    InputManager replayed;
    for (int64_t frame = 1; frame <= 8; ++frame) {
        replayed.FrameUpdate();
        player.Play(frame, replayed);
        EXPECT_EQ(replayed.CurrentKeys, current[frame - 1]) << frame << "\n" << text;
        EXPECT_EQ(pressedKeys(replayed), pressed[frame - 1]) << frame << "\n" << text;
    }
}

using ScriptedMouse = InputFixture;

TEST_F(ScriptedMouse, TheScriptOwnsThePointerOnceItHasMovedIt) {
    InputScriptPlayer player(Parse("2 mouse move 100 50\n2 button down LeftMouse\n4 button up LeftMouse\n"));
    for (int frame = 1; frame <= 5; ++frame) {
        Frame([&] {
            // What the platform pump samples from the real, idle mouse.
            input.SetMousePosition(7.0f, 7.0f);
            input.SetKeyState(Key::LeftMouse, false);
            player.Play(frame, input);
        });
        const bool scripted = frame >= 2;
        EXPECT_EQ(input.MousePosition, scripted ? Vector2(100.0f, 50.0f) : Vector2(7.0f, 7.0f)) << frame;
        EXPECT_EQ(input.IsKeyDown(Key::LeftMouse), frame == 2 || frame == 3) << frame;
    }
}

} // namespace
