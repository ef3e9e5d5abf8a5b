#include "ui/store/UiSupplyLoadoutBhv.h"

#include <algorithm>
#include <vector>

#include "audio/CueManagerBhv.h"
#include "components/SpriteComponent.h"
#include "core/GameObject.h"
#include "core/ObjectPasses.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "ui/hud/HudInventoryBhv.h"
#include "ui/hud/HudItemListingBhv.h"
#include "ui/hud/HudRootBhv.h"
#include "ui/hud/HudShow.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/UiMenuRootBhv.h"

namespace {

// The held weapons in cargo-list order, with the index of each in that list.
struct HeldWeapon {
    ItemComponent* Item;
    int ListIndex;
};

std::vector<HeldWeapon> HeldWeapons() {
    std::vector<HeldWeapon> weapons;
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory || !inventory->Owner) {
        return weapons;
    }
    int n = 0;
    for (GameObject* child : inventory->Owner->Children) {
        if (ItemComponent* item = child->PendingDestroy ? nullptr : ItemOf(*child)) {
            if (item->IsWeapon) {
                weapons.push_back({item, n});
            }
            ++n;
        }
    }
    return weapons;
}

} // namespace

void UiSupplyLoadoutBhv::Start() {
    if (Owner) {
        rim_ = FindChild("WeaponRim");
        Owner->SetPassesEnabled(false);
    }
}

HudInventoryBhv* UiSupplyLoadoutBhv::CargoList() const {
    const HudRootBhv* hud = WellKnown<HudRootBhv>::Get();
    GameObject* list = hud && hud->Owner ? hud->Owner->FindChild("Inventory") : nullptr;
    return list ? list->GetComponentOfType<HudInventoryBhv>() : nullptr;
}

void UiSupplyLoadoutBhv::HandleInput() {
    HudRootBhv* hud = WellKnown<HudRootBhv>::Get();
    if (hud && hud->Owner) {
        hud->SetLoadoutMode(true);
        InputPass(*hud->Owner);
    }
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input) {
        return;
    }
    if (input->IsActionPressed(Action::MenuCancel)) {
        Leave();
        return;
    }
    const std::vector<HeldWeapon> weapons = HeldWeapons();
    InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (weapons.empty() || !inventory) {
        chosen_ = nullptr;
        return;
    }
    const int count = static_cast<int>(weapons.size());
    const auto at = std::find_if(weapons.begin(), weapons.end(),
                                 [this](const HeldWeapon& w) { return w.Item == chosen_.Get(); });
    int chosen = at == weapons.end() ? 0 : static_cast<int>(at - weapons.begin());
    if (input->IsActionFired(Action::MoveUp)) {
        chosen = (chosen + count - 1) % count;
    }
    if (input->IsActionFired(Action::MoveDown)) {
        chosen = (chosen + 1) % count;
    }
    chosen_ = weapons[chosen].Item;
    if (HudInventoryBhv* list = CargoList()) {
        list->ScrollToShow(weapons[chosen].ListIndex);
    }

    const int slots = inventory->QuickslotCount;
    if (slots > 0) {
        if (input->IsActionFired(Action::MoveLeft)) {
            inventory->SelectedQuickslot = (inventory->SelectedQuickslot + slots - 1) % slots;
        }
        if (input->IsActionFired(Action::MoveRight)) {
            inventory->SelectedQuickslot = (inventory->SelectedQuickslot + 1) % slots;
        }
    }
    if (input->IsActionPressed(Action::MenuConfirm)) {
        HudInventoryBhv* list = CargoList();
        if (list && slots > 0) {
            list->AssignQuickslot(chosen_.Get(), inventory->SelectedQuickslot);
            playCue("ItemPickup");
        }
    }
}

void UiSupplyLoadoutBhv::Leave() {
    if (Owner) {
        Owner->SetPassesEnabled(false);
    }
    if (HudRootBhv* hud = WellKnown<HudRootBhv>::Get()) {
        hud->SetLoadoutMode(false);
    }
    chosen_ = nullptr;
    if (UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get()) {
        menus->openSupplyMainMenu();
    }
}

void UiSupplyLoadoutBhv::Update() {
    if (const HudRootBhv* hud = WellKnown<HudRootBhv>::Get(); hud && hud->Owner) {
        UpdatePass(*hud->Owner);
    }
    PlaceRim();
}

void UiSupplyLoadoutBhv::PlaceRim() {
    if (!rim_ && Owner) {
        rim_ = FindChild("WeaponRim");
    }
    GameObject* rim = rim_.Get();
    if (!rim) {
        return;
    }
    const HudInventoryBhv* list = CargoList();
    const HudItemListingBhv* row = list ? list->RowShowing(chosen_.Get()) : nullptr;
    // A row being dragged by the mouse is where the pointer is; the rim would only lag behind it.
    const bool shown = row && row->Owner && !row->IsDragging();
    SetShown(rim, shown);
    if (shown) {
        Pos2dComponent* pos = rim->Pos2d();
        if (pos) {
            pos->Pos = row->Owner->GetPosition() + row->Size * 0.5f;
        }
    }
}
