#pragma once

#include <array>
#include <memory>

union SDL_Event;

// The game controller's parts, in SDL's game-controller order (an Xbox-style layout: A is the
// bottom face button, B the right one).
enum class GamepadButton {
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
};
inline constexpr int GamepadButtonCount = static_cast<int>(GamepadButton::DpadRight) + 1;

enum class GamepadAxis { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger };
inline constexpr int GamepadAxisCount = static_cast<int>(GamepadAxis::RightTrigger) + 1;

// Every connected controller read at once, merged: a button is down when it is down on any pad, an
// axis takes the largest push of any pad.
struct GamepadState {
    std::array<bool, GamepadButtonCount> Buttons{};
    // Pressed on some pad since the last poll, whether or not still down: a press and release
    // between two polls shows here alone.
    std::array<bool, GamepadButtonCount> Pressed{};
    // Sticks -1..1 with y down (pushed away from the player is negative); triggers 0..1.
    std::array<float, GamepadAxisCount> Axes{};
    int Connected = 0;

    bool Down(GamepadButton button) const { return Buttons[static_cast<int>(button)]; }
    float Axis(GamepadAxis axis) const { return Axes[static_cast<int>(axis)]; }
};

// The game controllers, opened as they are plugged in and closed as they go. Works without a window;
// without SDL's controller support every poll reports no pad.
class Gamepads {
public:
    Gamepads();
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // Reads the controllers now, after taking in plug and unplug.
    GamepadState Poll();

private:
    static int WatchEvent(void* self, SDL_Event* event);

    struct Open;
    std::unique_ptr<Open> open_;
    bool initialised_ = false;
};
