#include "app/GamepadInput.h"

#include <cmath>

#include "input/InputManager.h"
#include "platform/Gamepads.h"

void ApplyGamepad(const GamepadState& pad, InputManager& input) {
    for (int b = 0; b < GamepadButtonCount; ++b) {
        const Key key = static_cast<Key>(FirstPadKey + b);
        if (pad.Pressed[b]) {
            // Pressed since the last poll: a press now, even when it was let go (or let go and
            // pressed again) before this poll.
            input.SetKeyState(key, false);
            input.SetKeyState(key, true);
        }
        input.SetKeyState(key, pad.Buttons[b]);
    }
    const float lx = pad.Axis(GamepadAxis::LeftX);
    const float ly = pad.Axis(GamepadAxis::LeftY);
    const float rx = pad.Axis(GamepadAxis::RightX);
    const float ry = pad.Axis(GamepadAxis::RightY);
    input.SetKeyState(Key::PadLeftStickUp, ly < -PadPressThreshold);
    input.SetKeyState(Key::PadLeftStickDown, ly > PadPressThreshold);
    input.SetKeyState(Key::PadLeftStickLeft, lx < -PadPressThreshold);
    input.SetKeyState(Key::PadLeftStickRight, lx > PadPressThreshold);
    input.SetKeyState(Key::PadRightStickUp, ry < -PadPressThreshold);
    input.SetKeyState(Key::PadRightStickDown, ry > PadPressThreshold);
    input.SetKeyState(Key::PadRightStickLeft, rx < -PadPressThreshold);
    input.SetKeyState(Key::PadRightStickRight, rx > PadPressThreshold);
    input.SetKeyState(Key::PadLeftTrigger, pad.Axis(GamepadAxis::LeftTrigger) > PadPressThreshold);
    input.SetKeyState(Key::PadRightTrigger, pad.Axis(GamepadAxis::RightTrigger) > PadPressThreshold);
    input.PadAim = std::hypot(rx, ry) > PadAimDeadZone ? Vector2{rx, ry} : Vector2{0.0f, 0.0f};
}
