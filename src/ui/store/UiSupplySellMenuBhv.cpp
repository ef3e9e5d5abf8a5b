#include "ui/store/UiSupplySellMenuBhv.h"

#include <algorithm>
#include <string>

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/SaturatingMath.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "player/HudMessage.h"
#include "player/items/ForSaleItemsBhv.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "player/tools/DrillBhv.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/UiMenuRootBhv.h"

int salePrice(const ItemComponent& item) {
    return item.Price / 2;
}

namespace {

bool IsDrill(const ItemComponent& item) {
    return item.Owner && item.Owner->GetComponentOfType<DrillBhv>() != nullptr;
}

} // namespace

bool isLastDrill(const ItemComponent& item, const std::vector<ItemComponent*>& held) {
    if (!IsDrill(item)) {
        return false;
    }
    int drills = 0;
    for (const ItemComponent* other : held) {
        if (IsDrill(*other)) {
            drills += std::max(other->Quantity, 0);
        }
    }
    return drills <= 1;
}

UiSupplySellMenuBhv::UiSupplySellMenuBhv() {
    RegisterProperty("SelectedTint", &SelectedTint);
}

void UiSupplySellMenuBhv::Start() {
    if (!Owner) {
        return;
    }
    list_.CollectRows(*Owner, "UiSellMenuItem");
    Owner->SetPassesEnabled(false);
}

void UiSupplySellMenuBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input || !Owner) {
        return;
    }
    if (input->IsActionPressed(Action::MenuCancel)) {
        StopCoroutine<&UiSupplySellMenuBhv::SellStep>();
        list_.Reset();
        Owner->SetPassesEnabled(false);
        if (UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get()) {
            menus->openSupplyMainMenu();
        }
        return;
    }
    bool moved = false;
    if (input->IsActionFired(Action::MoveUp)) {
        list_.Selected = std::max(list_.Selected - 1, 0);
        moved = true;
    }
    if (input->IsActionFired(Action::MoveDown)) {
        list_.Selected = std::min(list_.Selected + 1, std::max(static_cast<int>(held_.size()) - 1, 0));
        moved = true;
    }
    if (moved) {
        list_.KeepSelectionVisible();
    }
    if (input->IsActionPressed(Action::MenuConfirm)) {
        StartCoroutine<&UiSupplySellMenuBhv::SellStep>();
    }
    if (!input->IsActionDown(Action::MenuConfirm)) {
        StopCoroutine<&UiSupplySellMenuBhv::SellStep>();
    }
    if (input->IsActionPressed(Action::MenuSellAll) && SellAllBlocks()) {
        Refresh();
        playCue("ItemSold");
    }
}

void UiSupplySellMenuBhv::CollectHeldItems() {
    held_.clear();
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory || !inventory->Owner) {
        return;
    }
    for (GameObject* child : inventory->Owner->Children) {
        // An item sold out this frame stays a child until the end of the frame.
        if (ItemComponent* item = ItemOf(*child); item && !child->PendingDestroy) {
            held_.push_back(item);
        }
    }
}

void UiSupplySellMenuBhv::Refresh() {
    if (!Owner) {
        return;
    }
    list_.KeepRows(*Owner, "UiSellMenuItem");
    CollectHeldItems();
    const int count = static_cast<int>(held_.size());
    list_.Selected = std::clamp(list_.Selected, 0, std::max(count - 1, 0));
    list_.ScrollTop = std::clamp(list_.ScrollTop, 0, std::max(count - list_.RowCount(), 0));
    list_.KeepSelectionVisible();
    size_t row = 0;
    for (int index = list_.ScrollTop; index < count && row < list_.Rows.size(); ++index) {
        const ItemComponent& item = *held_[static_cast<size_t>(index)];
        GameObject& rowObject = *list_.Rows[row++].Get();
        rowObject.SetPassesEnabled(true);
        SetRowIcon(rowObject, item);
        SetRowText(rowObject, "Title", item.DisplayName);
        SetRowText(rowObject, "Price", "Sale Price  $" + std::to_string(salePrice(item)));
        SetRowText(rowObject, "QuantityLeft", "You Have:   " + std::to_string(item.Quantity));
        list_.ShowSelection(rowObject, index == list_.Selected, SelectedTint);
    }
    for (; row < list_.Rows.size(); ++row) {
        list_.Rows[row].Get()->SetPassesEnabled(false);
    }
    list_.ShowScrollArrows(*Owner, count);
}

bool UiSupplySellMenuBhv::SellAllBlocks() {
    InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory) {
        return false;
    }
    CollectHeldItems();
    bool sold = false;
    for (ItemComponent* item : held_) {
        // Everything dug or placed goes: blocks and minerals, never tools, kits or submarines.
        const bool dug = item->IsBlock || (!item->IsWeapon && !item->IsUseable && item->SubOwnedBit == 0);
        if (!dug || item->Quantity <= 0) {
            continue;
        }
        const int quantity = item->Quantity;
        inventory->Money = SaturatingAdd(inventory->Money, SaturatingMul(salePrice(*item), quantity));
        recordSale(quantity, item->ItemName());
        // Takes the whole quantity off storage, lets go of the current block and destroys the item.
        removeItem(item, quantity);
        sold = true;
    }
    return sold;
}

CoCommand UiSupplySellMenuBhv::SellStep(int step) {
    switch (step) {
    case 0:
        repeatDelay_ = FirstRepeatDelay;
        return CoWaitFrames(1);
    case 1: {
        InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
        CollectHeldItems();
        if (!inventory || list_.Selected >= static_cast<int>(held_.size())) {
            return CoEnd();
        }
        ItemComponent* item = held_[static_cast<size_t>(list_.Selected)];
        if (isLastDrill(*item, held_)) {
            // Without a drill nothing can be dug, and with little money nothing bought back.
            playCue("ErrorBuzz");
            showHudMessage("Can't sell your last drill");
            return CoEnd();
        }
        inventory->Money = SaturatingAdd(inventory->Money, salePrice(*item));
        recordSale(1, item->ItemName());
        removeItem(item, 1);
        const bool soldOut = item->Quantity <= 0;
        Refresh();
        playCue("ItemSold");
        // After the last unit the routine waits for "MenuConfirm" to be let go, so holding it
        // never runs on into the next item.
        return CoWaitSeconds(soldOut ? 999.0f : repeatDelay_);
    }
    default:
        repeatDelay_ = std::max(repeatDelay_ * RepeatFactor, MinRepeatDelay);
        return CoGoTo(1);
    }
}
