#pragma once

#include <cstdint>
#include <string_view>

// The program's own key numbers. Input arrives as Windows virtual-key codes and is translated on
// arrival (KeyFromVirtualKey); everything above the input manager speaks these numbers. The order is
// fixed: it is the key number, and the names are the ones the key-mappings file uses.
//
// Key sets hold 256 bits for the keyboard so that virtual-key codes without an entry here (which are
// used unchanged as key numbers) still have a bit; such values are valid Key values outside the named
// range. The game controller's buttons, stick directions and triggers follow at 256 and up: they are
// keys like any other (bound by name, held, pressed, auto-repeated), set by the pad, never by a code.
// clang-format off
enum class Key : uint16_t {
    None,
    Esc,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
    PrintScreen,
    ScrollLock,
    Pause,
    Tilde,
    Oem1, Oem2, Oem3, Oem4, Oem5, Oem6, Oem7, Oem8, Oem9, Oem0,
    OemMinus,
    Equals,
    Backspace,
    Tab,
    Q, W, E, R, T, Y, U, I, O, P,
    LeftBracket,
    RightBracket,
    Backslash,
    CapsLock,
    A, S, D, F, G, H, J, K, L,
    Semicolon,
    Apostrophe,
    OemEnter,
    Shift,
    Z, X, C, V, B, N, M,
    Comma,
    OemPeriod,
    OemSlash,
    RightShift,
    Ctrl,
    LeftWindows,
    Alt,
    Space,
    RightWindows,
    Application,
    Left, Up, Right, Down,
    NumLock,
    KeypadSlash,
    KeypadAsterisk,
    KeypadMinus,
    KeypadPlus,
    Keypad1, Keypad2, Keypad3, Keypad4, Keypad5, Keypad6, Keypad7, Keypad8, Keypad9, Keypad0,
    KeypadPeriod,
    KeypadEnter,
    Insert,
    Delete,
    Home,
    End,
    PageUp,
    PageDown,
    LeftMouse,
    MiddleMouse,
    RightMouse,
    EndMarker, // named "__END"; never set by any input

    // Game controller, named "Pad" + the part: buttons in SDL's game-controller order...
    PadA = 256, PadB, PadX, PadY, PadBack, PadGuide, PadStart, PadLeftStick, PadRightStick,
    PadLeftShoulder, PadRightShoulder, PadDpadUp, PadDpadDown, PadDpadLeft, PadDpadRight,
    // ...then the sticks pushed past half way, and the triggers pulled past half way.
    PadLeftStickUp, PadLeftStickDown, PadLeftStickLeft, PadLeftStickRight,
    PadRightStickUp, PadRightStickDown, PadRightStickLeft, PadRightStickRight,
    PadLeftTrigger, PadRightTrigger,
};
// clang-format on

inline constexpr int NamedKeyCount = static_cast<int>(Key::EndMarker) + 1; // 107, "__END" included
inline constexpr int VirtualKeyCount = 256;                                // keyboard bits, by code
inline constexpr int FirstPadKey = static_cast<int>(Key::PadA);
inline constexpr int PadKeyCount = static_cast<int>(Key::PadRightTrigger) + 1 - FirstPadKey;
inline constexpr int KeySetSize = FirstPadKey + PadKeyCount; // bits per key set

// The name of a named key ("W", "LeftMouse", "__END", "PadA"); empty for numbers outside the named
// ranges.
std::string_view KeyName(Key key);

// The key whose name equals `name` exactly (case-sensitive); Key::None when there is none.
Key KeyFromName(std::string_view name);

// The key a Windows virtual-key code sets: the key listed with that code, otherwise the code itself
// used as a key number (so the Clear key, 0x0C, sets F11). Codes outside 0..255 give Key::None.
Key KeyFromVirtualKey(int virtualKey);

// The virtual-key code listed for a key; 0 for keys that no code sets (None, RightShift, KeypadEnter,
// the mouse buttons, __END) and for unnamed numbers.
int VirtualKeyOf(Key key);
