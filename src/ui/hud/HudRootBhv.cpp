#include "ui/hud/HudRootBhv.h"

#include <algorithm>
#include <cmath>

#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "player/items/InventoryBhv.h"
#include "player/sub/SubBhv.h"

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
        if (const TintComponent* tint = healthReadout_ ? healthReadout_->Tint() : nullptr) {
            healthTint_ = tint->Tint;
        }
        if (const Pos2dComponent* pos = healthReadout_ ? healthReadout_->Pos2d() : nullptr) {
            healthPos_ = pos->Pos;
        }
        hurtTimeLeft_ = 0.0f;
    }
    if (!depthReadout_) {
        depthReadout_ = stats->FindChild("Depth");
        depth_ = {};
    }
}

void HudRootBhv::ShowHurt(GameObject& readout, int health) {
    if (lastHealth_ >= 0 && health < lastHealth_) {
        hurtTimeLeft_ = HurtShowTime;
    }
    lastHealth_ = health;
    TintComponent* tint = readout.Tint();
    Pos2dComponent* pos = readout.Pos2d();
    if (hurtTimeLeft_ <= 0.0f) {
        return;
    }
    if (const GameTime* time = Service<GameTime>::TryGet()) {
        hurtTimeLeft_ -= time->FrameDelta;
    }
    const bool over = hurtTimeLeft_ <= 0.0f;
    if (tint) {
        tint->Tint = over ? healthTint_ : HurtTint;
    }
    if (pos) {
        // Two frames each side: a shake the eye catches at the edge of the view.
        const float side = (hurtFrame_++ / 2) % 2 == 0 ? HurtShake : -HurtShake;
        pos->Pos = over ? healthPos_ : Vector2{healthPos_.x + side, healthPos_.y};
    }
}

void HudRootBhv::Update() {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory) {
        return;
    }
    if (!moneyReadout_ || !healthReadout_ || !depthReadout_) {
        FindReadouts();
    }
    if (TextComponent* text = moneyReadout_ ? moneyReadout_->Text() : nullptr) {
        // The second number is the reward's threshold, not a price: say so.
        money_.Write(text->Text, "$ ", inventory->Money, "   goal: $", MoneyGoal, {});
    }
    if (GameObject* readout = healthReadout_.Get()) {
        if (TextComponent* text = readout->Text()) {
            health_.Write(text->Text, "HP:  ", inventory->Health, "/", inventory->HealthMax, {});
        }
        ShowHurt(*readout, inventory->Health);
    }
    TextComponent* depthText = depthReadout_ ? depthReadout_->Text() : nullptr;
    if (const GameObject* sub = depthText ? Submarine() : nullptr) {
        depth_.Write(depthText->Text, "Depth:  ", DepthMetres(sub->GetPosition().y), {},
                     CachedNumberText::kNone, " m");
    }
}

int HudRootBhv::DepthMetres(float y) {
    const float depth = std::round(-y);
    return depth > 0.0f ? static_cast<int>(std::min(depth, 1e6f)) : 0;
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
