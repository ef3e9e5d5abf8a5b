#include "ui/widgets/KeyLabel.h"

#include <optional>
#include <string_view>
#include <utility>

#include "input/InputManager.h"
#include "input/Keymap.h"

namespace {

// Keys whose mapping names are not what a player reads on the key cap.
// clang-format off
constexpr std::pair<Key, std::string_view> KeyCaps[] = {
    {Key::Oem1, "1"}, {Key::Oem2, "2"}, {Key::Oem3, "3"}, {Key::Oem4, "4"}, {Key::Oem5, "5"},
    {Key::Oem6, "6"}, {Key::Oem7, "7"}, {Key::Oem8, "8"}, {Key::Oem9, "9"}, {Key::Oem0, "0"},
    {Key::OemEnter, "Enter"}, {Key::Tilde, "`"}, {Key::OemMinus, "-"}, {Key::Equals, "="},
    {Key::LeftBracket, "["}, {Key::RightBracket, "]"}, {Key::Backslash, "\\"}, {Key::Semicolon, ";"},
    {Key::Apostrophe, "'"}, {Key::Comma, ","}, {Key::OemPeriod, "."}, {Key::OemSlash, "/"},
    {Key::CapsLock, "Caps Lock"}, {Key::ScrollLock, "Scroll Lock"}, {Key::NumLock, "Num Lock"},
    {Key::PrintScreen, "Print Screen"}, {Key::RightShift, "Right Shift"}, {Key::LeftWindows, "Windows"},
    {Key::RightWindows, "Right Windows"}, {Key::Application, "Menu"}, {Key::PageUp, "Page Up"},
    {Key::PageDown, "Page Down"}, {Key::KeypadSlash, "Keypad /"}, {Key::KeypadAsterisk, "Keypad *"},
    {Key::KeypadMinus, "Keypad -"}, {Key::KeypadPlus, "Keypad +"}, {Key::KeypadPeriod, "Keypad ."},
    {Key::KeypadEnter, "Keypad Enter"}, {Key::LeftMouse, "Left Mouse"}, {Key::MiddleMouse, "Middle Mouse"},
    {Key::RightMouse, "Right Mouse"},
    {Key::PadLeftStick, "L Stick Press"}, {Key::PadRightStick, "R Stick Press"},
    {Key::PadLeftShoulder, "LB"}, {Key::PadRightShoulder, "RB"},
    {Key::PadLeftTrigger, "LT"}, {Key::PadRightTrigger, "RT"},
    {Key::PadDpadUp, "D-pad Up"}, {Key::PadDpadDown, "D-pad Down"}, {Key::PadDpadLeft, "D-pad Left"},
    {Key::PadDpadRight, "D-pad Right"},
};
// clang-format on

} // namespace

std::string KeyLabel(Key key) {
    for (const auto& [cap, label] : KeyCaps) {
        if (cap == key) {
            return std::string(label);
        }
    }
    const std::string_view name = KeyName(key);
    if (name.empty()) {
        return "Key " + std::to_string(static_cast<int>(key));
    }
    if (name.starts_with("Keypad")) {
        return "Keypad " + std::string(name.substr(6));
    }
    // "PadLeftStickUp" -> "L Stick Up"; the buttons keep their letters and names.
    if (name.starts_with("PadLeftStick") || name.starts_with("PadRightStick")) {
        const bool left = name.starts_with("PadLeft");
        return std::string(left ? "L Stick " : "R Stick ") + std::string(name.substr(left ? 12 : 13));
    }
    if (name.starts_with("Pad")) {
        return std::string(name.substr(3));
    }
    return std::string(name);
}

std::string ActionKeyLabel(const InputManager& input, Action action) {
    const KeyDevice preferred = input.PadLastUsed ? KeyDevice::Pad : KeyDevice::Keyboard;
    const KeyDevice other = input.PadLastUsed ? KeyDevice::Keyboard : KeyDevice::Pad;
    for (KeyDevice device : {preferred, other}) {
        const std::vector<Key> keys = BoundKeys(input.Mappings, action, device);
        if (!keys.empty()) {
            return KeyLabel(keys.front());
        }
    }
    return "unbound";
}

std::string FillKeyHints(const std::string& text, const InputManager& input) {
    std::string out;
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find('{', at);
        const size_t close = open == std::string::npos ? open : text.find('}', open);
        if (close == std::string::npos) {
            break;
        }
        out.append(text, at, open - at);
        const std::optional<Action> action =
            ActionFromName(std::string_view(text).substr(open + 1, close - open - 1));
        if (action) {
            out += ActionKeyLabel(input, *action);
        } else {
            out.append(text, open, close + 1 - open);
        }
        at = close + 1;
    }
    out.append(text, at, std::string::npos);
    return out;
}
