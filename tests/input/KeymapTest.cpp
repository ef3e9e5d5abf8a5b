// The player's keymap over the shipped mappings: only differences are written, they read back to the
// same mappings, and any damage gives the shipped mappings whole with the reason.
#include <gtest/gtest.h>

#include "input/InputManager.h"
#include "input/Keymap.h"

namespace {

ActionMappings Shipped() {
    InputManager input;
    input.LoadMappings(KELVANE_SOURCE_DIR "/content/Config/KeyMappings.json");
    return input.Mappings;
}

TEST(KeymapTest, OnlyChangedActionsAreWrittenAndTheyReadBackTheSame) {
    const ActionMappings shipped = Shipped();
    EXPECT_EQ(KeymapText(shipped, shipped), "{}\n");
    const KeymapReading unchanged = ReadKeymap("{}", shipped);
    EXPECT_EQ(unchanged.Problem, "");
    EXPECT_EQ(unchanged.Mappings, shipped);

    ActionMappings mine = shipped;
    SetBoundKeys(mine, Action::MoveDown, KeyDevice::Keyboard, {Key::K, Key::Down});
    SetBoundKeys(mine, Action::QuickslotNext, KeyDevice::Pad, {}); // removed: an empty list
    const std::string text = KeymapText(shipped, mine);
    EXPECT_EQ(text, "{\n    \"MoveDown\": [\"K\", \"Down\", \"PadLeftStickDown\", \"PadDpadDown\"],\n"
                    "    \"QuickslotNext\": []\n}\n");
    const KeymapReading read = ReadKeymap(text, shipped);
    EXPECT_EQ(read.Problem, "");
    EXPECT_TRUE(read.Kept.empty());
    EXPECT_EQ(read.Mappings, mine);
    // Pad keys stay after the keyboard's whichever device changed.
    EXPECT_EQ(BoundKeys(read.Mappings, Action::MoveDown, KeyDevice::Pad),
              (std::vector<Key>{Key::PadLeftStickDown, Key::PadDpadDown}));
    // A lone key name is one key.
    EXPECT_EQ(BoundKeys(ReadKeymap(R"({"MenuSellAll": "N"})", shipped).Mappings, Action::MenuSellAll,
                        KeyDevice::Keyboard),
              (std::vector<Key>{Key::N}));
}

TEST(KeymapTest, ADamagedForeignOrUnknownKeyFileGivesTheShippedMappingsAndWhy) {
    const ActionMappings shipped = Shipped();
    for (const char* damaged :
         {"", "{ \"MoveDown\": [\"K\"", "[\"MoveDown\"]", "\"K\"", "\x01\x02garbage",
          R"({"MoveDown": ["Kay"]})", R"({"MoveDown": ["None"]})", R"({"Jump": ["Space"]})",
          R"({"MoveDown": ["K"], "MoveDown": ["J"]})", R"({"MoveDown": [["K"]]})",
          R"({"MoveDown": {"key": "K"}})", R"({"Fullscreen": true, "MasterVolume": 0.5})"}) {
        const KeymapReading read = ReadKeymap(damaged, shipped);
        EXPECT_NE(read.Problem, "") << damaged;
        EXPECT_EQ(read.Mappings, shipped) << damaged;
    }
}

TEST(KeymapTest, AFileThatWouldLockThePlayerOutOfTheMenuKeepsThoseActionsAsShipped) {
    const ActionMappings shipped = Shipped();
    // Back/menu on the pad only, confirm on a mouse button: the keyboard still opens the menu
    // through the shipped Esc; the mouse counts as a way to confirm.
    const KeymapReading read =
        ReadKeymap(R"({"MenuCancel": ["PadB"], "MenuConfirm": ["RightMouse"], "MoveLeft": []})", shipped);
    EXPECT_EQ(read.Problem, "");
    EXPECT_EQ(read.Kept, std::vector<Action>{Action::MenuCancel});
    EXPECT_EQ(BoundKeys(read.Mappings, Action::MenuCancel, KeyDevice::Keyboard), std::vector<Key>{Key::Esc});
    EXPECT_EQ(BoundKeys(read.Mappings, Action::MenuConfirm, KeyDevice::Keyboard),
              std::vector<Key>{Key::RightMouse});
    EXPECT_TRUE(BoundKeys(read.Mappings, Action::MoveLeft, KeyDevice::Keyboard).empty());
}

TEST(KeymapTest, TheShippedMappingsGiveNoKeyToTwoActionsThatActTogether) {
    const ActionMappings shipped = Shipped();
    for (const auto& [action, key] : shipped) {
        for (Action other : ActionsOfKey(shipped, key)) {
            EXPECT_FALSE(ActionsClash(action, other))
                << ActionName(action) << " and " << ActionName(other) << " share " << KeyName(key);
        }
    }
    // Steering and "back" act in play and in menus alike: they clash with everything but
    // themselves; tool use and confirming never act at the same time.
    EXPECT_TRUE(ActionsClash(Action::MoveDown, Action::MenuConfirm));
    EXPECT_TRUE(ActionsClash(Action::MenuCancel, Action::MainWeapon));
    EXPECT_FALSE(ActionsClash(Action::MainWeapon, Action::MenuConfirm));
    EXPECT_FALSE(ActionsClash(Action::MoveDown, Action::MoveDown));
}

} // namespace
