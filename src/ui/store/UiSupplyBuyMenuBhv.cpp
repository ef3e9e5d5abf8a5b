#include "ui/store/UiSupplyBuyMenuBhv.h"

#include <algorithm>
#include <string>

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/SaturatingMath.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "player/items/ForSaleItemsBhv.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/UiMenuRootBhv.h"

namespace {

bool TakesStorage(const ItemComponent& item) {
    return item.SubOwnedBit == 0 && item.ItemName().rfind("Item_Quickslot", 0) != 0;
}

} // namespace

const char* purchaseRefusal(const ItemComponent& item) {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory) {
        return "no inventory";
    }
    if (inventory->Money < effectivePrice(item)) {
        return "not enough money";
    }
    if (TakesStorage(item) && inventory->StorageUsed >= inventory->StorageMax) {
        return "storage full";
    }
    return nullptr;
}

UiSupplyBuyMenuBhv::UiSupplyBuyMenuBhv() {
    RegisterProperty("SelectedTint", &SelectedTint);
}

void UiSupplyBuyMenuBhv::Start() {
    if (!Owner) {
        return;
    }
    list_.CollectRows(*Owner, "UiBuyMenuItem");
    Owner->SetPassesEnabled(false);
}

void UiSupplyBuyMenuBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input || !Owner) {
        return;
    }
    if (input->IsActionPressed(Action::MenuCancel)) {
        StopCoroutine<&UiSupplyBuyMenuBhv::BuyStep>();
        list_.Reset();
        Owner->SetPassesEnabled(false);
        if (UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get()) {
            menus->openSupplyMainMenu();
        }
        return;
    }
    if (offeredCount_ > 0) {
        bool moved = false;
        if (input->IsActionFired(Action::MoveUp)) {
            list_.Selected = list_.Selected - 1 < 0 ? offeredCount_ - 1 : list_.Selected - 1;
            moved = true;
        }
        if (input->IsActionFired(Action::MoveDown)) {
            list_.Selected = list_.Selected + 1 >= offeredCount_ ? 0 : list_.Selected + 1;
            moved = true;
        }
        if (moved) {
            list_.KeepSelectionVisible();
            // Chosen on purpose: a held "MenuConfirm" carries on with the newly selected good.
            buying_ = nullptr;
        }
    }
    if (input->IsActionPressed(Action::MenuConfirm)) {
        StartCoroutine<&UiSupplyBuyMenuBhv::BuyStep>();
    }
    if (!input->IsActionDown(Action::MenuConfirm)) {
        StopCoroutine<&UiSupplyBuyMenuBhv::BuyStep>();
    }
}

void UiSupplyBuyMenuBhv::Update() {
    if (!Owner) {
        return;
    }
    list_.KeepRows(*Owner, "UiBuyMenuItem");
    selectedItem_.Reset();
    int offered = 0;
    size_t row = 0;
    const ForSaleItemsBhv* forSale = WellKnown<ForSaleItemsBhv>::Get();
    if (forSale && forSale->Owner) {
        for (GameObject* good : forSale->Owner->Children) {
            ItemComponent* item = ItemOf(*good);
            if (!item || !isUnlocked(*item)) {
                continue;
            }
            const int index = offered++;
            if (index < list_.ScrollTop || row >= list_.Rows.size()) {
                continue;
            }
            GameObject& rowObject = *list_.Rows[row++].Get();
            rowObject.SetPassesEnabled(true);
            SetRowIcon(rowObject, *item);
            SetRowText(rowObject, "Title", item->DisplayName);
            SetRowText(rowObject, "Description", item->Description);
            SetRowText(rowObject, "Price", "$" + std::to_string(effectivePrice(*item)));
            const bool selected = index == list_.Selected;
            list_.ShowSelection(rowObject, selected, SelectedTint);
            if (selected) {
                selectedItem_ = item;
            }
        }
    }
    for (; row < list_.Rows.size(); ++row) {
        list_.Rows[row].Get()->SetPassesEnabled(false);
    }
    offeredCount_ = offered;
    list_.ShowScrollArrows(*Owner, offeredCount_);
}

CoCommand UiSupplyBuyMenuBhv::BuyStep(int step) {
    switch (step) {
    case 0:
        repeatDelay_ = FirstRepeatDelay;
        buying_ = nullptr;
        parked_ = false;
        return CoWaitFrames(1);
    case 1: {
        if (!selectedItem_) {
            return CoEnd();
        }
        if (buying_ && selectedItem_.Get() != buying_.Get()) {
            // The good under the selection changed while the key was held (the next quick-slot
            // expansion takes the place of the one just bought): the player never chose it, so
            // nothing more is bought until "MenuConfirm" is pressed again or the selection is moved
            // (which forgets buying_). Looked at again every frame, at the same pace afterwards.
            parked_ = true;
            return CoWaitFrames(1);
        }
        parked_ = false;
        buying_ = selectedItem_.Get();
        if (purchaseRefusal(*selectedItem_.Get())) {
            playCue("ErrorBuzz");
            // Refused until "MenuConfirm" is let go, which stops the routine.
            return CoWaitSeconds(9999.0f);
        }
        InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
        inventory->Money = SaturatingSub(inventory->Money, effectivePrice(*selectedItem_.Get()));
        // The name is copied: buying a submarine replaces objects the item's name may live in.
        const std::string name = selectedItem_->ItemName();
        addItem(1, name);
        playCue("ItemSold");
        return CoWaitSeconds(repeatDelay_);
    }
    default:
        if (!parked_) {
            repeatDelay_ = std::max(repeatDelay_ * RepeatFactor, MinRepeatDelay);
        }
        return CoGoTo(1);
    }
}
