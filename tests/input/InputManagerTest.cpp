#include <vector>

#include "InputFixture.h"

namespace {

constexpr int VkW = 0x57;
constexpr int VkUp = 0x26;
constexpr int VkA = 0x41;
constexpr int VkB = 0x42;
constexpr int VkShift = 0x10;

using HeldAndPressed = InputFixture;

TEST_F(HeldAndPressed, HoldingAKeyMakesItsActionHeldEveryFrameAndPressedOnlyInTheFirst) {
    Bind(Action::MoveUp, Key::W);
    Frame([&] { input.KeyDown(VkW); });
    EXPECT_TRUE(input.IsActionDown(Action::MoveUp));
    EXPECT_TRUE(input.IsActionPressed(Action::MoveUp));
    EXPECT_TRUE(input.IsKeyPressed(Key::W));
    for (int frame = 0; frame < 5; ++frame) {
        Frame();
        EXPECT_TRUE(input.IsActionDown(Action::MoveUp));
        EXPECT_FALSE(input.IsActionPressed(Action::MoveUp));
        EXPECT_FALSE(input.IsKeyPressed(Key::W));
    }
}

TEST_F(HeldAndPressed, ASecondKeyOfAHeldActionDoesNotPressItAgain) {
    Bind(Action::MoveUp, Key::W);
    Bind(Action::MoveUp, Key::Up);
    Frame([&] { input.KeyDown(VkW); });
    Frame();
    Frame([&] { input.KeyDown(VkUp); });
    EXPECT_TRUE(input.IsKeyPressed(Key::Up));
    EXPECT_TRUE(input.IsActionDown(Action::MoveUp));
    EXPECT_FALSE(input.IsActionPressed(Action::MoveUp));
}

TEST_F(HeldAndPressed, ATapWithinOneFrameIsAOneFramePress) {
    Bind(Action::MoveUp, Key::W);
    Frame([&] {
        input.KeyDown(VkW);
        input.KeyUp(VkW);
    });
    EXPECT_TRUE(input.IsActionPressed(Action::MoveUp));
    EXPECT_TRUE(input.IsKeyPressed(Key::W));
    EXPECT_TRUE(input.IsActionDown(Action::MoveUp));
    Frame();
    EXPECT_TRUE(input.IsActionFired(Action::MoveUp));
    EXPECT_FALSE(input.IsActionDown(Action::MoveUp));
    EXPECT_TRUE(input.IsActionIn(Action::MoveUp, input.PreviousKeys)); // let go in this frame
    Frame();
    EXPECT_FALSE(input.IsActionFired(Action::MoveUp));
    // A menu that opened in the tap's frame takes the next press: the tap's key-up has come.
    Frame([&] {
        input.KeyDown(VkW);
        input.KeyUp(VkW);
    });
    input.IgnoreHeldKeys();
    EXPECT_FALSE(input.IsKeyDown(Key::W));
    Frame();
    Frame([&] { input.KeyDown(VkW); });
    EXPECT_TRUE(input.IsActionPressed(Action::MoveUp));
}

TEST_F(HeldAndPressed, AKeyHeldOverRepeatsUnseenEvenInTheFrameItIsLetGo) {
    Bind(Action::MoveUp, Key::W);
    time.FrameDelta = 2.0f / 60.0f; // 30 frames a second: past the delay, a held key repeats every update
    Frame([&] { input.KeyDown(VkW); });
    for (int frame = 0; frame < 20; ++frame) {
        Frame();
    }
    ASSERT_TRUE(input.IsActionFired(Action::MoveUp));
    input.IgnoreHeldKeys(); // a menu opens
    Frame();
    EXPECT_FALSE(input.IsActionFired(Action::MoveUp));
    Frame([&] { input.KeyUp(VkW); });
    EXPECT_FALSE(input.IsActionFired(Action::MoveUp));
    EXPECT_FALSE(input.IsActionDown(Action::MoveUp));
    Frame();
    EXPECT_FALSE(input.IsActionFired(Action::MoveUp));
    Frame([&] { input.KeyDown(VkW); });
    EXPECT_TRUE(input.IsActionPressed(Action::MoveUp));
    Frame();
    EXPECT_TRUE(input.IsActionFired(Action::MoveUp));
}

TEST_F(HeldAndPressed, AKeyLetGoAndPressedAgainWithinOneFrameIsPressedAgain) {
    Bind(Action::MoveUp, Key::W);
    Bind(Action::MoveUp, Key::Up);
    Frame([&] { input.KeyDown(VkW); });
    Frame();
    Frame([&] {
        input.KeyUp(VkW);
        input.KeyDown(VkW);
    });
    EXPECT_TRUE(input.IsKeyPressed(Key::W));
    EXPECT_TRUE(input.IsActionPressed(Action::MoveUp));
    Frame();
    EXPECT_TRUE(input.IsActionFired(Action::MoveUp));
    EXPECT_FALSE(input.IsActionPressed(Action::MoveUp));
    // Another key of the held action tapped: still not a new press of the action.
    Frame([&] {
        input.KeyDown(VkUp);
        input.KeyUp(VkUp);
    });
    EXPECT_TRUE(input.IsKeyPressed(Key::Up));
    EXPECT_FALSE(input.IsActionPressed(Action::MoveUp));
}

TEST_F(HeldAndPressed, ReleasingOneOfTwoHeldKeysKeepsTheActionHeld) {
    Bind(Action::MoveUp, Key::W);
    Bind(Action::MoveUp, Key::Up);
    Frame([&] {
        input.KeyDown(VkW);
        input.KeyDown(VkUp);
    });
    Frame([&] { input.KeyUp(VkW); });
    EXPECT_TRUE(input.IsActionDown(Action::MoveUp));
    Frame([&] { input.KeyUp(VkUp); });
    EXPECT_FALSE(input.IsActionDown(Action::MoveUp));
}

TEST_F(HeldAndPressed, AnActionWithoutBindingsIsNeverHeld) {
    Frame([&] { input.KeyDown(VkW); });
    EXPECT_FALSE(input.IsActionDown(Action::MoveUp));
    EXPECT_FALSE(input.IsActionIn(Action::MoveUp, input.CurrentKeys));
}

class AutoRepeat : public InputFixture {
protected:
    // The updates, counted from the first one after the key-down, at which the key fired.
    std::vector<int> FiringUpdates(Key key, int updates) {
        std::vector<int> fired;
        for (int update = 0; update < updates; ++update) {
            Frame();
            if (input.IsKeyFired(key))
                fired.push_back(update);
        }
        return fired;
    }
};

TEST_F(AutoRepeat, AHeldKeyFiresAtTheFirstUpdateThenAtThe24th27th30thAt60Fps) {
    input.KeyDown(VkW);
    EXPECT_EQ(FiringUpdates(Key::W, 37), (std::vector<int>{0, 24, 27, 30, 33, 36}));
}

TEST_F(AutoRepeat, ReleaseAndPressAgainRestartsTheDelay) {
    input.KeyDown(VkW);
    FiringUpdates(Key::W, 26);
    input.KeyUp(VkW);
    EXPECT_TRUE(FiringUpdates(Key::W, 3).empty());
    input.KeyDown(VkW);
    EXPECT_EQ(FiringUpdates(Key::W, 25), (std::vector<int>{0, 24}));
}

TEST_F(AutoRepeat, LongFramesFireAtMostOncePerUpdate) {
    time.FrameDelta = 6.0f / 60.0f;
    input.KeyDown(VkW);
    // Press, then -0.25, -0.15, -0.05, 0.05 (not past the interval), 0.15 fires and keeps 0.10.
    EXPECT_EQ(FiringUpdates(Key::W, 7), (std::vector<int>{0, 5, 6}));
}

TEST_F(AutoRepeat, FiredActionsFollowTheirKeys) {
    Bind(Action::MenuConfirm, Key::Space);
    Frame([&] { input.KeyDown(0x20); });
    EXPECT_FALSE(input.IsActionFired(Action::MenuConfirm)); // the pump's change shows at the next update
    Frame();
    EXPECT_TRUE(input.IsActionFired(Action::MenuConfirm));
    Frame();
    EXPECT_FALSE(input.IsActionFired(Action::MenuConfirm));
}

using TypedText = InputFixture;

TEST_F(TypedText, TwoKeysInOneFrameTypeInKeyNumberOrder) {
    Frame([&] {
        input.KeyDown(VkB);
        input.KeyDown(VkA);
    });
    Frame();
    EXPECT_EQ(input.TypedText, "ab");
    Frame();
    EXPECT_EQ(input.TypedText, "");
}

TEST_F(TypedText, ShiftPicksTheShiftedCharacterButNotOnTheKeypad) {
    Frame([&] {
        input.KeyDown(VkShift);
        input.KeyDown(0x31); // "Oem1", the top-row 1
        input.KeyDown(0x61); // "Keypad1"
    });
    Frame();
    EXPECT_EQ(input.TypedText, "!1");
}

TEST_F(TypedText, ControlKeysTypeNothingButSpaceTypesASpace) {
    Frame([&] {
        for (int vk : {0x08, 0x09, 0x0D, 0x14, 0x10, 0x11, 0x12, 0x25, 0x1B, 0x70})
            input.KeyDown(vk);
        input.KeyDown(0x20);
    });
    Frame();
    EXPECT_EQ(input.TypedText, " ");
}

TEST_F(TypedText, AHeldKeyTypesAgainWhenItRepeats) {
    input.KeyDown(VkA);
    std::string text;
    for (int update = 0; update < 28; ++update) {
        Frame();
        text += input.TypedText;
    }
    EXPECT_EQ(text, "aaa"); // updates 0, 24 and 27
}

using Focus = InputFixture;

TEST_F(Focus, WithoutFocusEveryQueryReportsNothing) {
    Bind(Action::MoveUp, Key::W);
    graphics.HasFocus = false;
    Frame([&] { input.KeyDown(VkW); });
    Frame([&] { input.KeyDown(VkA); });
    EXPECT_FALSE(input.IsKeyDown(Key::W));
    EXPECT_FALSE(input.IsKeyPressed(Key::A));
    EXPECT_FALSE(input.IsKeyFired(Key::W));
    EXPECT_FALSE(input.IsActionDown(Action::MoveUp));
    EXPECT_FALSE(input.IsActionIn(Action::MoveUp, input.FiredKeys));
    EXPECT_FALSE(input.IsActionIn(Action::MoveUp, input.PreviousKeys));
    EXPECT_EQ(input.TypedText, "");
}

TEST_F(Focus, KeyMessagesStillArriveWhileUnfocused) {
    Frame([&] { input.KeyDown(VkW); });
    graphics.HasFocus = false;
    Frame([&] { input.KeyDown(VkA); });
    graphics.HasFocus = true;
    EXPECT_TRUE(input.IsKeyDown(Key::W));
    EXPECT_TRUE(input.IsKeyPressed(Key::A));
}

TEST_F(Focus, AKeyReleasedInAnotherWindowStaysDownUntilItsKeyUpArrives) {
    Frame([&] { input.KeyDown(VkW); });
    graphics.HasFocus = false; // the key-up goes to the other window
    Frame();
    graphics.HasFocus = true;
    Frame();
    EXPECT_TRUE(input.IsKeyDown(Key::W));
    Frame([&] { input.KeyUp(VkW); });
    EXPECT_FALSE(input.IsKeyDown(Key::W));
}

using KeyMessages = InputFixture;

TEST_F(KeyMessages, TheClearKeyActsAsF11) {
    Frame([&] { input.KeyDown(0x0C); });
    EXPECT_TRUE(input.IsKeyPressed(Key::F11));
}

TEST_F(KeyMessages, UnlistedCodesSetTheirOwnNumber) {
    Frame([&] { input.KeyDown(0xE2); });
    EXPECT_TRUE(input.IsKeyDown(static_cast<Key>(0xE2)));
    Frame([&] { input.KeyUp(0xE2); });
    EXPECT_FALSE(input.IsKeyDown(static_cast<Key>(0xE2)));
}

TEST_F(KeyMessages, CodesOutsideTheKeySetAndCodeZeroChangeNothing) {
    Bind(Action::MoveUp, Key::None); // what an unknown key name binds
    Frame([&] {
        input.KeyDown(0);
        input.KeyDown(-1);
        input.KeyDown(256);
        input.KeyUp(1000);
    });
    EXPECT_TRUE(input.CurrentKeys.none());
    EXPECT_FALSE(input.IsActionDown(Action::MoveUp));
}

TEST_F(KeyMessages, MouseButtonsAreKeysWrittenByThePump) {
    Bind(Action::MainWeapon, Key::LeftMouse);
    Frame([&] { input.SetKeyState(Key::LeftMouse, true); });
    EXPECT_TRUE(input.IsActionPressed(Action::MainWeapon));
    Frame([&] { input.SetKeyState(Key::LeftMouse, true); });
    EXPECT_TRUE(input.IsActionDown(Action::MainWeapon));
    EXPECT_FALSE(input.IsActionPressed(Action::MainWeapon));
}

TEST_F(KeyMessages, PreviousMousePositionIsThePositionAtTheLastUpdate) {
    Frame([&] { input.SetMousePosition(10.0f, 20.0f); });
    Frame([&] { input.SetMousePosition(15.0f, 22.0f); });
    EXPECT_EQ(input.PreviousMousePosition, Vector2(10.0f, 20.0f));
    EXPECT_EQ(input.MousePosition - input.PreviousMousePosition, Vector2(5.0f, 2.0f));
}

} // namespace
