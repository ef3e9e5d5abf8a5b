// A game controller made in software (SDL's virtual joystick) drives the named actions through the
// shipped key mappings: plugged in while running, read every frame, auto-repeated like keys, pulled out.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <vector>

#include "app/GamepadInput.h"
#include "core/GameTime.h"
#include "core/Service.h"
#include "input/InputManager.h"
#include "platform/Gamepads.h"

namespace {

class GamepadTest : public ::testing::Test {
protected:
    GamepadTest() {
        time.FrameDelta = 1.0f / 60.0f;
        input.LoadMappings(KELVANE_SOURCE_DIR "/content/Config/KeyMappings.json");
    }
    ~GamepadTest() override {
        if (joystick) {
            SDL_JoystickClose(joystick);
        }
    }

    // The input half of one frame as the main loop runs it: frame update, then the pump, during which
    // `pump` runs as if its key messages arrived.
    template <class Pump> void Frame(Pump pump) {
        input.FrameUpdate();
        pump();
        ApplyGamepad(pads.Poll(), input);
    }
    void Frame() {
        Frame([] {});
    }

    void PlugIn() {
        device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, GamepadAxisCount,
                                           GamepadButtonCount, 0);
        ASSERT_GE(device, 0) << SDL_GetError();
        joystick = SDL_JoystickOpen(device);
        ASSERT_NE(joystick, nullptr) << SDL_GetError();
        // A trigger's raw axis spans the whole range, rest at the bottom; the pad reads it as 0..1.
        Axis(GamepadAxis::LeftTrigger, -32768);
        Axis(GamepadAxis::RightTrigger, -32768);
    }
    void Button(GamepadButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick, static_cast<int>(button), down ? 1 : 0);
    }
    void Axis(GamepadAxis axis, Sint16 value) {
        SDL_JoystickSetVirtualAxis(joystick, static_cast<int>(axis), value);
    }

    GameTime time;
    Service<GameTime>::Scoped timeService{time};
    InputManager input;
    Gamepads pads;
    int device = -1;
    SDL_Joystick* joystick = nullptr;
};

TEST_F(GamepadTest, AVirtualPadPluggedInWhileRunningDrivesTheActions) {
    const int before = pads.Poll().Connected;
    PlugIn();
    Frame();
    EXPECT_EQ(pads.Poll().Connected, before + 1);

    Button(GamepadButton::A, true);
    Frame();
    EXPECT_TRUE(input.IsActionPressed(Action::MenuConfirm));
    Button(GamepadButton::A, false);
    Button(GamepadButton::B, true);
    Frame();
    EXPECT_FALSE(input.IsActionDown(Action::MenuConfirm));
    EXPECT_TRUE(input.IsActionPressed(Action::MenuCancel));
    Button(GamepadButton::B, false);
    Frame();
    EXPECT_FALSE(input.IsActionDown(Action::MenuCancel));
    Button(GamepadButton::Start, true);
    Frame();
    EXPECT_TRUE(input.IsActionPressed(Action::MenuCancel));
    Button(GamepadButton::Start, false);

    Axis(GamepadAxis::RightTrigger, 32767);
    Button(GamepadButton::DpadLeft, true);
    Button(GamepadButton::RightShoulder, true);
    Frame();
    EXPECT_TRUE(input.IsActionDown(Action::MainWeapon));
    EXPECT_TRUE(input.IsActionDown(Action::MoveLeft));
    EXPECT_TRUE(input.IsActionPressed(Action::QuickslotNext));
    EXPECT_FALSE(input.IsActionDown(Action::QuickslotPrevious));
    Axis(GamepadAxis::RightTrigger, -16000); // a quarter of the way: not pulled
    Button(GamepadButton::DpadLeft, false);
    Button(GamepadButton::RightShoulder, false);
    Button(GamepadButton::LeftShoulder, true);
    Frame();
    EXPECT_FALSE(input.IsActionDown(Action::MainWeapon));
    EXPECT_FALSE(input.IsActionDown(Action::MoveLeft));
    EXPECT_TRUE(input.IsActionPressed(Action::QuickslotPrevious));
    Button(GamepadButton::LeftShoulder, false);

    // The right stick aims; its rest wobble does not.
    Axis(GamepadAxis::RightX, 16384);
    Axis(GamepadAxis::RightY, -32768);
    Frame();
    EXPECT_NEAR(input.PadAim.x, 0.5f, 0.001f);
    EXPECT_FLOAT_EQ(input.PadAim.y, -1.0f);
    Axis(GamepadAxis::RightX, 3000);
    Axis(GamepadAxis::RightY, -3000);
    Frame();
    EXPECT_EQ(input.PadAim.x, 0.0f);
    EXPECT_EQ(input.PadAim.y, 0.0f);

    // Pulled out while the stick is pushed: the pad's keys let go.
    Axis(GamepadAxis::LeftY, -32768);
    Frame();
    EXPECT_TRUE(input.IsActionDown(Action::MoveUp));
    SDL_JoystickClose(joystick);
    joystick = nullptr;
    ASSERT_EQ(SDL_JoystickDetachVirtual(device), 0) << SDL_GetError();
    Frame();
    EXPECT_EQ(pads.Poll().Connected, before);
    EXPECT_FALSE(input.IsActionDown(Action::MoveUp));
}

TEST_F(GamepadTest, AButtonPressedAndLetGoBetweenTwoFramesIsAPress) {
    PlugIn();
    Frame();
    Button(GamepadButton::A, true);
    SDL_GameControllerUpdate(); // read in the middle of the frame, as the window's pump may
    Button(GamepadButton::A, false);
    Frame();
    EXPECT_TRUE(input.IsActionPressed(Action::MenuConfirm));
    Frame();
    EXPECT_TRUE(input.IsActionFired(Action::MenuConfirm));
    EXPECT_FALSE(input.IsActionDown(Action::MenuConfirm));
}

TEST_F(GamepadTest, AHeldStickRepeatsInMenusLikeAHeldKey) {
    PlugIn();
    Frame();
    // The stick pushed up for a second, then the W key held for a second: the same firing frames.
    auto firings = [&](auto press, auto release) {
        std::vector<int> fired;
        Frame(press);
        for (int frame = 1; frame <= 60; ++frame) {
            Frame();
            if (input.IsActionFired(Action::MoveUp)) {
                fired.push_back(frame);
            }
        }
        release();
        Frame();
        Frame();
        return fired;
    };
    const std::vector<int> stick =
        firings([&] { Axis(GamepadAxis::LeftY, -30000); }, [&] { Axis(GamepadAxis::LeftY, 0); });
    const std::vector<int> key = firings([&] { input.KeyDown(0x57); }, [&] { input.KeyUp(0x57); });
    EXPECT_EQ(stick, key);
    ASSERT_GE(stick.size(), 3u);
    EXPECT_EQ(stick[1] - stick[0], 24); // the first repeat 0.4 s after the press
}

} // namespace
