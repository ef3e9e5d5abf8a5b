#include "platform/VirtualKeys.h"

#include <SDL_keyboard.h>

namespace {

// One key per line reads as a table.
// clang-format off
// Codes that depend on the layout's character: letters, digits and the US punctuation keys.
int VirtualKeyFromCharacter(int keycode) {
    if (keycode >= 'a' && keycode <= 'z')
        return keycode - 'a' + 'A';
    if (keycode >= '0' && keycode <= '9')
        return keycode;
    switch (keycode) {
    case ';': return 0xBA;
    case '=': return 0xBB;
    case ',': return 0xBC;
    case '-': return 0xBD;
    case '.': return 0xBE;
    case '/': return 0xBF;
    case '`': return 0xC0;
    case '[': return 0xDB;
    case '\\': return 0xDC;
    case ']': return 0xDD;
    case '\'': return 0xDE;
    default: return 0;
    }
}

// The same keys by position, for layouts whose characters are not US ones (Cyrillic, accented letters).
int VirtualKeyFromPosition(int scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (scancode - SDL_SCANCODE_1);
    switch (scancode) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_SEMICOLON: return 0xBA;
    case SDL_SCANCODE_EQUALS: return 0xBB;
    case SDL_SCANCODE_COMMA: return 0xBC;
    case SDL_SCANCODE_MINUS: return 0xBD;
    case SDL_SCANCODE_PERIOD: return 0xBE;
    case SDL_SCANCODE_SLASH: return 0xBF;
    case SDL_SCANCODE_GRAVE: return 0xC0;
    case SDL_SCANCODE_LEFTBRACKET: return 0xDB;
    case SDL_SCANCODE_BACKSLASH: return 0xDC;
    case SDL_SCANCODE_RIGHTBRACKET: return 0xDD;
    case SDL_SCANCODE_APOSTROPHE: return 0xDE;
    case SDL_SCANCODE_NONUSBACKSLASH: return 0xE2; // the extra key left of Z
    default: return 0;
    }
}

// Keypad keys that change meaning with Num Lock: {code with Num Lock on, code with it off}.
struct KeypadCodes {
    int On;
    int Off;
};

KeypadCodes KeypadVirtualKeys(int scancode) {
    switch (scancode) {
    case SDL_SCANCODE_KP_1: return {0x61, 0x23}; // End
    case SDL_SCANCODE_KP_2: return {0x62, 0x28}; // Down
    case SDL_SCANCODE_KP_3: return {0x63, 0x22}; // Page Down
    case SDL_SCANCODE_KP_4: return {0x64, 0x25}; // Left
    case SDL_SCANCODE_KP_5: return {0x65, 0x0C}; // Clear
    case SDL_SCANCODE_KP_6: return {0x66, 0x27}; // Right
    case SDL_SCANCODE_KP_7: return {0x67, 0x24}; // Home
    case SDL_SCANCODE_KP_8: return {0x68, 0x26}; // Up
    case SDL_SCANCODE_KP_9: return {0x69, 0x21}; // Page Up
    case SDL_SCANCODE_KP_0: return {0x60, 0x2D}; // Insert
    case SDL_SCANCODE_KP_PERIOD: return {0x6E, 0x2E}; // Delete
    default: return {0, 0};
    }
}

// Keys whose code does not depend on the layout or on Num Lock.
int VirtualKeyFromFixedKey(int scancode) {
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
        return 0x70 + (scancode - SDL_SCANCODE_F1);
    if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24)
        return 0x7C + (scancode - SDL_SCANCODE_F13);
    switch (scancode) {
    case SDL_SCANCODE_ESCAPE: return 0x1B;
    case SDL_SCANCODE_BACKSPACE: return 0x08;
    case SDL_SCANCODE_TAB: return 0x09;
    case SDL_SCANCODE_CLEAR: return 0x0C;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_RETURN2:
    case SDL_SCANCODE_KP_ENTER: return 0x0D;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return 0x10;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return 0x11;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return 0x12;
    case SDL_SCANCODE_PAUSE: return 0x13;
    case SDL_SCANCODE_CAPSLOCK: return 0x14;
    case SDL_SCANCODE_SPACE: return 0x20;
    case SDL_SCANCODE_PAGEUP: return 0x21;
    case SDL_SCANCODE_PAGEDOWN: return 0x22;
    case SDL_SCANCODE_END: return 0x23;
    case SDL_SCANCODE_HOME: return 0x24;
    case SDL_SCANCODE_LEFT: return 0x25;
    case SDL_SCANCODE_UP: return 0x26;
    case SDL_SCANCODE_RIGHT: return 0x27;
    case SDL_SCANCODE_DOWN: return 0x28;
    case SDL_SCANCODE_PRINTSCREEN: return 0x2C;
    case SDL_SCANCODE_INSERT: return 0x2D;
    case SDL_SCANCODE_DELETE: return 0x2E;
    case SDL_SCANCODE_LGUI: return 0x5B;
    case SDL_SCANCODE_RGUI: return 0x5C;
    case SDL_SCANCODE_APPLICATION: return 0x5D;
    case SDL_SCANCODE_KP_MULTIPLY: return 0x6A;
    case SDL_SCANCODE_KP_PLUS: return 0x6B;
    case SDL_SCANCODE_KP_MINUS: return 0x6D;
    case SDL_SCANCODE_KP_DIVIDE: return 0x6F;
    case SDL_SCANCODE_NUMLOCKCLEAR: return 0x90;
    case SDL_SCANCODE_SCROLLLOCK: return 0x91;
    default: return 0;
    }
}

// clang-format on

} // namespace

int VirtualKeyFromSdl(int scancode, int keycode, unsigned mod) {
    if (const KeypadCodes keypad = KeypadVirtualKeys(scancode); keypad.On != 0)
        return (mod & KMOD_NUM) != 0 ? keypad.On : keypad.Off;
    if (const int fixed = VirtualKeyFromFixedKey(scancode))
        return fixed;
    // Only keys at character positions may take their code from the layout's character; a layout that
    // puts a letter on, say, a keypad key does not turn it into a letter key.
    const int byPosition = VirtualKeyFromPosition(scancode);
    if (byPosition == 0)
        return 0;
    const int byCharacter = VirtualKeyFromCharacter(keycode);
    return byCharacter != 0 ? byCharacter : byPosition;
}
