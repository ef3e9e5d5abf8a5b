#include "input/Action.h"

#include <array>

namespace {

constexpr std::array<std::string_view, ActionCount> ActionNames{
    "MoveUp",      "MoveDown",   "MoveLeft",          "MoveRight",     "MainWeapon",
    "Quickslot1",  "Quickslot2", "Quickslot3",        "Quickslot4",    "Quickslot5",
    "MenuConfirm", "MenuCancel", "QuickslotPrevious", "QuickslotNext", "MenuClear",
    "MenuSellAll",
};

} // namespace

std::string_view ActionName(Action action) {
    return ActionNames[static_cast<int>(action)];
}

std::optional<Action> ActionFromName(std::string_view name) {
    for (int action = 0; action < ActionCount; ++action)
        if (ActionNames[action] == name)
            return static_cast<Action>(action);
    return std::nullopt;
}
