#pragma once

class InputManager;
struct GamepadState;

// Writes the game controllers' state into the input manager: buttons, stick directions and triggers
// as the Pad keys (so the key-mappings file binds them and menus auto-repeat them like keys), the
// right stick as PadAim.
void ApplyGamepad(const GamepadState& pad, InputManager& input);

// A stick direction or trigger counts as held past this push.
inline constexpr float PadPressThreshold = 0.5f;
// The right stick's rest wobble, ignored for aiming.
inline constexpr float PadAimDeadZone = 0.25f;
