#include <gtest/gtest.h>

#include <SDL_keyboard.h>

#include "input/Key.h"
#include "platform/VirtualKeys.h"

namespace {

int Translate(SDL_Scancode scancode, SDL_Keycode keycode, unsigned mod = KMOD_NONE) {
    return VirtualKeyFromSdl(scancode, keycode, mod);
}

// The key a press at a key position ends up setting, for a layout that puts no character there.
Key KeyOf(SDL_Scancode scancode, unsigned mod = KMOD_NONE) {
    return KeyFromVirtualKey(Translate(scancode, SDL_SCANCODE_TO_KEYCODE(scancode), mod));
}

TEST(VirtualKeys, LeftAndRightModifiersAndBothEnterKeysShareOneCode) {
    EXPECT_EQ(Translate(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT), 0x10);
    EXPECT_EQ(Translate(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT), 0x10);
    EXPECT_EQ(Translate(SDL_SCANCODE_LCTRL, SDLK_LCTRL), 0x11);
    EXPECT_EQ(Translate(SDL_SCANCODE_RCTRL, SDLK_RCTRL), 0x11);
    EXPECT_EQ(Translate(SDL_SCANCODE_LALT, SDLK_LALT), 0x12);
    EXPECT_EQ(Translate(SDL_SCANCODE_RALT, SDLK_RALT), 0x12);
    EXPECT_EQ(Translate(SDL_SCANCODE_RETURN, SDLK_RETURN), 0x0D);
    EXPECT_EQ(Translate(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER), 0x0D);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_RSHIFT), Key::Shift);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_KP_ENTER), Key::OemEnter);
}

TEST(VirtualKeys, KeypadFollowsNumLock) {
    EXPECT_EQ(KeyOf(SDL_SCANCODE_KP_1, KMOD_NUM), Key::Keypad1);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_KP_0, KMOD_NUM | KMOD_LSHIFT), Key::Keypad0);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_KP_PERIOD, KMOD_NUM), Key::KeypadPeriod);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_KP_1), Key::End);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_KP_8), Key::Up);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_KP_9), Key::PageUp);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_KP_0), Key::Insert);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_KP_PERIOD), Key::Delete);
    EXPECT_EQ(Translate(SDL_SCANCODE_KP_5, SDLK_KP_5), 0x0C); // Clear...
    EXPECT_EQ(KeyOf(SDL_SCANCODE_KP_5), Key::F11);            // ...which sets F11
    // Operators do not depend on Num Lock.
    EXPECT_EQ(KeyOf(SDL_SCANCODE_KP_DIVIDE), Key::KeypadSlash);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_KP_MULTIPLY, KMOD_NUM), Key::KeypadAsterisk);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_KP_MINUS), Key::KeypadMinus);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_KP_PLUS), Key::KeypadPlus);
}

TEST(VirtualKeys, UsLayoutKeysReachTheirNamedKeys) {
    EXPECT_EQ(KeyOf(SDL_SCANCODE_W), Key::W);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_1), Key::Oem1);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_0), Key::Oem0);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_GRAVE), Key::Tilde);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_MINUS), Key::OemMinus);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_EQUALS), Key::Equals);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_APOSTROPHE), Key::Apostrophe);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_SLASH), Key::OemSlash);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_ESCAPE), Key::Esc);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_F12), Key::F12);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_SPACE), Key::Space);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_LEFT), Key::Left);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_PAGEDOWN), Key::PageDown);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_LGUI), Key::LeftWindows);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_APPLICATION), Key::Application);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_NUMLOCKCLEAR), Key::NumLock);
    EXPECT_EQ(KeyOf(SDL_SCANCODE_PAUSE), Key::Pause);
}

TEST(VirtualKeys, LettersFollowTheLayoutWhereItHasLatinLetters) {
    EXPECT_EQ(Translate(SDL_SCANCODE_W, 'w'), 'W');
    EXPECT_EQ(Translate(SDL_SCANCODE_1, '1'), 0x31);
    EXPECT_EQ(Translate(SDL_SCANCODE_LEFTBRACKET, '['), 0xDB);
    // French layout: the key left of Z on a US board types 'a'.
    EXPECT_EQ(Translate(SDL_SCANCODE_Q, 'a'), 'A');
    // Cyrillic layout: no Latin letter, so the key position decides.
    EXPECT_EQ(Translate(SDL_SCANCODE_W, 0x0446), 'W');
    EXPECT_EQ(Translate(SDL_SCANCODE_SEMICOLON, 0x00F6), 0xBA);
}

TEST(VirtualKeys, KeysWithoutACodeGiveZero) {
    EXPECT_EQ(Translate(SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN), 0);
    EXPECT_EQ(Translate(SDL_SCANCODE_VOLUMEUP, SDLK_VOLUMEUP), 0);
    EXPECT_EQ(Translate(SDL_SCANCODE_KP_EQUALS, SDLK_KP_EQUALS), 0);
}

} // namespace
