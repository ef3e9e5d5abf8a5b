#include "input/KeyCharacters.h"

#include <array>
#include <string_view>

namespace {

// One character per key number 0..96, a space standing for "no character" except at "Space" (73).
// Keys 0-16: Esc and the function keys; 30, 31, 45, 57, 58, 69-72, 74-80: Backspace, Tab, Caps Lock,
// Enter, the modifiers, Windows keys and arrows, which text fields handle through key queries.
constexpr std::string_view Plain = "                 " // 0-16
                                   "`1234567890-="     // 17-29
                                   "  "                // 30-31
                                   "qwertyuiop[]\\"    // 32-44
                                   " "                 // 45
                                   "asdfghjkl;'"       // 46-56
                                   "  "                // 57-58
                                   "zxcvbnm,./"        // 59-68
                                   "    "              // 69-72
                                   " "                 // 73, Space
                                   "       "           // 74-80
                                   "/*-+1234567890."   // 81-95
                                   " ";                // 96

constexpr std::string_view Shifted = "                 "
                                     "~!@#$%^&*()_+"
                                     "  "
                                     "QWERTYUIOP{}|"
                                     " "
                                     "ASDFGHJKL:\""
                                     "  "
                                     "ZXCVBNM<>?"
                                     "    "
                                     " "
                                     "       "
                                     "/*-+1234567890."
                                     " ";

static_assert(Plain.size() == CharacterKeyCount && Shifted.size() == CharacterKeyCount);
static_assert(Plain[static_cast<int>(Key::Equals)] == '=' && Shifted[static_cast<int>(Key::OemSlash)] == '?');
static_assert(Plain[static_cast<int>(Key::KeypadPeriod)] == '.');

} // namespace

char KeyCharacter(Key key, bool shifted) {
    const int number = static_cast<int>(key);
    if (number >= CharacterKeyCount)
        return '\0';
    if (key == Key::Space)
        return ' ';
    const char c = (shifted ? Shifted : Plain)[number];
    return c == ' ' ? '\0' : c;
}
