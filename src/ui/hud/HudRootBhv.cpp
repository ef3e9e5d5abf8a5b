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
    FindReadouts();
    WellKnown<HudRootBhv>::Register(this);
}

void HudRootBhv::FindReadouts() {
    const GameObject* stats = FindChild("HudStats");
    if (!stats) {
        return;
    }
    if (!moneyReadout_) {
        moneyReadout_ = stats->FindChild("Money");
        money_ = {}; // a new readout holds none of the old one's text
    }
    if (!healthReadout_) {
        healthReadout_ = stats->FindChild("Health");
        health_ = {};
    }
}

void HudRootBhv::Update() {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory) {
        return;
    }
    if (!moneyReadout_ || !healthReadout_) {
        FindReadouts();
    }
    if (TextComponent* text = moneyReadout_ ? moneyReadout_->Text() : nullptr) {
        money_.Write(text->Text, "$:  ", inventory->Money, " / ", MoneyGoal, {});
    }
    if (TextComponent* text = healthReadout_ ? healthReadout_->Text() : nullptr) {
        health_.Write(text->Text, "HP:  ", inventory->Health, "/", inventory->HealthMax, {});
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
