#include "ui/hud/HudRootBhv.h"

#include "components/TextComponent.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "player/items/InventoryBhv.h"

HudRootBhv::~HudRootBhv() {
    WellKnown<HudRootBhv>::ClearIf(this);
}

void HudRootBhv::Start() {
    if (const GameObject* stats = FindChild("HudStats")) {
        if (const GameObject* money = stats->FindChild("Money")) {
            moneyText_ = money->Text();
        }
        if (const GameObject* health = stats->FindChild("Health")) {
            healthText_ = health->Text();
        }
    }
    WellKnown<HudRootBhv>::Register(this);
}

void HudRootBhv::Update() {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory) {
        return;
    }
    if (moneyText_) {
        money_.Write(moneyText_->Text, "$:  ", inventory->Money, " / ", MoneyGoal, {});
    }
    if (healthText_) {
        health_.Write(healthText_->Text, "HP:  ", inventory->Health, "/", inventory->HealthMax, {});
    }
}

void HudRootBhv::HandleInput() {
    InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    const InputManager* input = Service<InputManager>::TryGet();
    if (!inventory || !input) {
        return;
    }
    // The pad's shoulders step through the slots the inventory has, wrapping at either end.
    const int count = inventory->QuickslotCount;
    if (count > 0) {
        if (input->IsActionPressed(Action::QuickslotPrevious)) {
            inventory->SelectedQuickslot = (inventory->SelectedQuickslot + count - 1) % count;
        }
        if (input->IsActionPressed(Action::QuickslotNext)) {
            inventory->SelectedQuickslot = (inventory->SelectedQuickslot + 1) % count;
        }
    }
    constexpr Action keys[] = {Action::Quickslot1, Action::Quickslot2, Action::Quickslot3, Action::Quickslot4,
                               Action::Quickslot5};
    for (int k = 0; k < 5; ++k) {
        if (input->IsActionPressed(keys[k]) && inventory->QuickslotCount > k) {
            inventory->SelectedQuickslot = k;
        }
    }
}
