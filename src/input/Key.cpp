#include "input/Key.h"

#include <array>

namespace {

struct KeyEntry {
    std::string_view Name;
    int VirtualKey; // 0: no code sets this key
};

// Indexed by key number.
// clang-format off
constexpr std::array<KeyEntry, NamedKeyCount> Keys{{
    {"None", 0},          {"Esc", 0x1B},         {"F1", 0x70},          {"F2", 0x71},
    {"F3", 0x72},         {"F4", 0x73},          {"F5", 0x74},          {"F6", 0x75},
    {"F7", 0x76},         {"F8", 0x77},          {"F9", 0x78},          {"F10", 0x79},
    {"F11", 0x7A},        {"F12", 0x7B},         {"PrintScreen", 0x2C}, {"ScrollLock", 0x91},
    {"Pause", 0x13},      {"Tilde", 0xC0},       {"Oem1", 0x31},        {"Oem2", 0x32},
    {"Oem3", 0x33},       {"Oem4", 0x34},        {"Oem5", 0x35},        {"Oem6", 0x36},
    {"Oem7", 0x37},       {"Oem8", 0x38},        {"Oem9", 0x39},        {"Oem0", 0x30},
    {"OemMinus", 0xBD},   {"Equals", 0xBB},      {"Backspace", 0x08},   {"Tab", 0x09},
    {"Q", 0x51},          {"W", 0x57},           {"E", 0x45},           {"R", 0x52},
    {"T", 0x54},          {"Y", 0x59},           {"U", 0x55},           {"I", 0x49},
    {"O", 0x4F},          {"P", 0x50},           {"LeftBracket", 0xDB}, {"RightBracket", 0xDD},
    {"Backslash", 0xDC},  {"CapsLock", 0x14},    {"A", 0x41},           {"S", 0x53},
    {"D", 0x44},          {"F", 0x46},           {"G", 0x47},           {"H", 0x48},
    {"J", 0x4A},          {"K", 0x4B},           {"L", 0x4C},           {"Semicolon", 0xBA},
    {"Apostrophe", 0xDE}, {"OemEnter", 0x0D},    {"Shift", 0x10},       {"Z", 0x5A},
    {"X", 0x58},          {"C", 0x43},           {"V", 0x56},           {"B", 0x42},
    {"N", 0x4E},          {"M", 0x4D},           {"Comma", 0xBC},       {"OemPeriod", 0xBE},
    {"OemSlash", 0xBF},   {"RightShift", 0},     {"Ctrl", 0x11},        {"LeftWindows", 0x5B},
    {"Alt", 0x12},        {"Space", 0x20},       {"RightWindows", 0x5C}, {"Application", 0x5D},
    {"Left", 0x25},       {"Up", 0x26},          {"Right", 0x27},       {"Down", 0x28},
    {"NumLock", 0x90},    {"KeypadSlash", 0x6F}, {"KeypadAsterisk", 0x6A}, {"KeypadMinus", 0x6D},
    {"KeypadPlus", 0x6B}, {"Keypad1", 0x61},     {"Keypad2", 0x62},     {"Keypad3", 0x63},
    {"Keypad4", 0x64},    {"Keypad5", 0x65},     {"Keypad6", 0x66},     {"Keypad7", 0x67},
    {"Keypad8", 0x68},    {"Keypad9", 0x69},     {"Keypad0", 0x60},     {"KeypadPeriod", 0x6E},
    {"KeypadEnter", 0},   {"Insert", 0x2D},      {"Delete", 0x2E},      {"Home", 0x24},
    {"End", 0x23},        {"PageUp", 0x21},      {"PageDown", 0x22},    {"LeftMouse", 0},
    {"MiddleMouse", 0},   {"RightMouse", 0},     {"__END", 0},
}};
// clang-format on

// Indexed by key number - FirstPadKey.
// clang-format off
constexpr std::array<std::string_view, PadKeyCount> PadKeys{{
    "PadA", "PadB", "PadX", "PadY", "PadBack", "PadGuide", "PadStart", "PadLeftStick", "PadRightStick",
    "PadLeftShoulder", "PadRightShoulder", "PadDpadUp", "PadDpadDown", "PadDpadLeft", "PadDpadRight",
    "PadLeftStickUp", "PadLeftStickDown", "PadLeftStickLeft", "PadLeftStickRight",
    "PadRightStickUp", "PadRightStickDown", "PadRightStickLeft", "PadRightStickRight",
    "PadLeftTrigger", "PadRightTrigger",
}};
// clang-format on

// Virtual-key code -> key number; codes nobody lists map to themselves.
constexpr std::array<uint8_t, VirtualKeyCount> BuildVirtualKeyTable() {
    std::array<uint8_t, VirtualKeyCount> table{};
    for (int code = 0; code < VirtualKeyCount; ++code)
        table[code] = static_cast<uint8_t>(code);
    for (int key = 0; key < NamedKeyCount; ++key)
        if (Keys[key].VirtualKey != 0)
            table[Keys[key].VirtualKey] = static_cast<uint8_t>(key);
    return table;
}

constexpr std::array<uint8_t, VirtualKeyCount> VirtualKeyTable = BuildVirtualKeyTable();

} // namespace

std::string_view KeyName(Key key) {
    const int number = static_cast<int>(key);
    if (number >= FirstPadKey && number < KeySetSize)
        return PadKeys[number - FirstPadKey];
    return number < NamedKeyCount ? Keys[number].Name : std::string_view{};
}

Key KeyFromName(std::string_view name) {
    for (int key = 0; key < NamedKeyCount; ++key)
        if (Keys[key].Name == name)
            return static_cast<Key>(key);
    for (int pad = 0; pad < PadKeyCount; ++pad)
        if (PadKeys[pad] == name)
            return static_cast<Key>(FirstPadKey + pad);
    return Key::None;
}

Key KeyFromVirtualKey(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= VirtualKeyCount)
        return Key::None;
    return static_cast<Key>(VirtualKeyTable[virtualKey]);
}

int VirtualKeyOf(Key key) {
    const int number = static_cast<int>(key);
    return number < NamedKeyCount ? Keys[number].VirtualKey : 0;
}
