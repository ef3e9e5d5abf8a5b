#include <sstream>

#include <gtest/gtest.h>

#include "InputFixture.h"
#include "input/InputScript.h"
#include "input/InputScriptError.h"
#include "input/InputScriptPlayer.h"

namespace {

using Kind = InputScriptEvent::Kind;

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
    EXPECT_EQ(ErrorOf("1 jump\n"), "play.txt:1: unknown event \"jump\" (expected key, mouse or button)");
    EXPECT_EQ(ErrorOf("1\n"), "play.txt:1: expected \"key\", \"mouse\" or \"button\" after the frame number");
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
