#include "ui/menus/UiMoneyDisplayBhv.h"

#include <string>

#include "components/TextComponent.h"
#include "core/GameObject.h"
#include "core/WellKnown.h"
#include "player/items/InventoryBhv.h"

void UiMoneyDisplayBhv::Update() {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    const GameObject* line = FindChild("UiText");
    TextComponent* text = line ? line->Text() : nullptr;
    if (!inventory || !text) {
        return;
    }
    if (hasShown_ && shown_ == inventory->Money && !text->Text.empty()) {
        return;
    }
    shown_ = inventory->Money;
    hasShown_ = true;
    text->Text = "$ " + std::to_string(shown_);
}
