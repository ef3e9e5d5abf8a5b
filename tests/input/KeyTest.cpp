#include <gtest/gtest.h>

#include "input/Key.h"
#include "input/KeyCharacters.h"

namespace {

TEST(KeyNames, EveryNameFindsItsOwnNumber) {
    EXPECT_EQ(NamedKeyCount, 107);
    for (int number = 0; number < NamedKeyCount; ++number) {
        const Key key = static_cast<Key>(number);
        EXPECT_EQ(KeyFromName(KeyName(key)), key) << KeyName(key);
    }
    EXPECT_EQ(KeyName(Key::EndMarker), "__END");
    EXPECT_EQ(KeyName(Key::OemEnter), "OemEnter");
    EXPECT_EQ(KeyName(Key::RightMouse), "RightMouse");
    // The pad's keys follow the keyboard's 256 codes, named like the rest.
    for (int number = FirstPadKey; number < KeySetSize; ++number) {
        const Key key = static_cast<Key>(number);
        EXPECT_EQ(KeyFromName(KeyName(key)), key) << number;
    }
    EXPECT_EQ(KeyName(Key::PadA), "PadA");
    EXPECT_EQ(KeyName(Key::PadLeftStickUp), "PadLeftStickUp");
    EXPECT_EQ(KeyName(Key::PadRightTrigger), "PadRightTrigger");
    EXPECT_EQ(KeyFromVirtualKey(static_cast<int>(Key::PadA)), Key::None); // no code sets a pad key
}

TEST(KeyNames, NamesAreCaseSensitiveAndUnknownNamesAreNone) {
    EXPECT_EQ(KeyFromName("w"), Key::None);
    EXPECT_EQ(KeyFromName("ESC"), Key::None);
    EXPECT_EQ(KeyFromName(""), Key::None);
    EXPECT_EQ(KeyFromName("1"), Key::None); // the top-row digits are "Oem1"...
    EXPECT_EQ(KeyName(static_cast<Key>(200)), "");
}

TEST(VirtualKeyTable, ListedCodesRoundTrip) {
    for (int number = 1; number < NamedKeyCount; ++number) {
        const Key key = static_cast<Key>(number);
        if (const int code = VirtualKeyOf(key)) {
            EXPECT_EQ(KeyFromVirtualKey(code), key) << KeyName(key);
        }
    }
    EXPECT_EQ(KeyFromVirtualKey(0x57), Key::W);
    EXPECT_EQ(KeyFromVirtualKey(0x31), Key::Oem1);
    EXPECT_EQ(KeyFromVirtualKey(0x30), Key::Oem0);
    EXPECT_EQ(KeyFromVirtualKey(0x6A), Key::KeypadAsterisk);
}

TEST(VirtualKeyTable, SomeKeysAreNeverSetByAnyCode) {
    for (int code = 1; code < VirtualKeyCount; ++code) {
        const Key key = KeyFromVirtualKey(code);
        EXPECT_NE(key, Key::None) << code;
        EXPECT_NE(key, Key::RightShift) << code;
        EXPECT_NE(key, Key::KeypadEnter) << code;
        EXPECT_NE(key, Key::EndMarker) << code;
    }
}

TEST(VirtualKeyTable, UnlistedCodesAreUsedUnchanged) {
    EXPECT_EQ(KeyFromVirtualKey(0x0C), Key::F11); // Clear, keypad 5 without Num Lock
    EXPECT_EQ(KeyFromVirtualKey(0xE2), static_cast<Key>(0xE2));
    EXPECT_EQ(KeyFromVirtualKey(256), Key::None);
    EXPECT_EQ(KeyFromVirtualKey(-5), Key::None);
}

std::string Characters(int first, int last, bool shifted) {
    std::string text;
    for (int number = first; number <= last; ++number)
        text += KeyCharacter(static_cast<Key>(number), shifted);
    return text;
}

TEST(KeyCharacters, RowsWithAndWithoutShift) {
    EXPECT_EQ(Characters(17, 29, false), "`1234567890-=");
    EXPECT_EQ(Characters(17, 29, true), "~!@#$%^&*()_+");
    EXPECT_EQ(Characters(32, 44, false), "qwertyuiop[]\\");
    EXPECT_EQ(Characters(32, 44, true), "QWERTYUIOP{}|");
    EXPECT_EQ(Characters(46, 56, false), "asdfghjkl;'");
    EXPECT_EQ(Characters(46, 56, true), "ASDFGHJKL:\"");
    EXPECT_EQ(Characters(59, 68, false), "zxcvbnm,./");
    EXPECT_EQ(Characters(59, 68, true), "ZXCVBNM<>?");
    EXPECT_EQ(Characters(81, 95, false), "/*-+1234567890.");
    EXPECT_EQ(Characters(81, 95, true), "/*-+1234567890.");
    EXPECT_EQ(KeyCharacter(Key::Space, true), ' ');
}

TEST(KeyCharacters, KeysWithoutACharacter) {
    for (int number : {0, 1, 12, 16, 30, 31, 45, 57, 58, 69, 70, 71, 72, 74, 77, 80, 96, 97, 103, 106, 200})
        for (bool shifted : {false, true})
            EXPECT_EQ(KeyCharacter(static_cast<Key>(number), shifted), '\0') << number;
}

} // namespace
