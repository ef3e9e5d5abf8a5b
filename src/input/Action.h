#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Named game actions, bound to keys by the key-mappings file.
enum class Action : uint8_t {
    MoveUp,
    MoveDown,
    MoveLeft,
    MoveRight,
    MainWeapon,
    Quickslot1,
    Quickslot2,
    Quickslot3,
    Quickslot4,
    Quickslot5,
    MenuConfirm,
    MenuCancel,
    // Stepping through the quick slots one at a time, for the gamepad's shoulder buttons.
    QuickslotPrevious,
    QuickslotNext,
    // Menu lines with a second use: removing a binding on the controls page, selling every block.
    MenuClear,
    MenuSellAll,
};

inline constexpr int ActionCount = static_cast<int>(Action::MenuSellAll) + 1;

// The action's name as the mappings file writes it ("MoveUp").
std::string_view ActionName(Action action);

// The action named exactly `name` (case-sensitive), if any.
std::optional<Action> ActionFromName(std::string_view name);
