#pragma once

#include "core/Behavior.h"
#include "core/CoCommand.h"
#include "core/Color.h"
#include "core/Handle.h"
#include "ui/store/StoreList.h"

class ItemComponent;

// The store's buy list: the for-sale goods the player can have now, at their effective prices,
// one per "UiBuyMenuItem" row. Holding "MenuConfirm" buys the selected good again and again, a
// little faster each time; moving the selection carries the hold on to the newly selected good,
// but a good that takes the selected one's place by itself is never bought without a new press.
class UiSupplyBuyMenuBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiSupplyBuyMenuBhv";
    static constexpr float FirstRepeatDelay = 0.5f;
    static constexpr float RepeatFactor = 0.9f;
    static constexpr float MinRepeatDelay = 0.05f;

    UiSupplyBuyMenuBhv();

    // Collects the rows and switches the menu off until the store opens it.
    void Start() override;
    // Back to the store's main menu, moving the selection, and starting or stopping the buy routine.
    void HandleInput() override;
    // Fills the rows from the scroll top on and picks the selected item.
    void Update() override;

    int SelectedIndex() const { return list_.Selected; }
    int ScrollTop() const { return list_.ScrollTop; }
    int OfferedCount() const { return offeredCount_; }
    ItemComponent* SelectedItem() const { return selectedItem_.Get(); }

    // Brighter than the rows' normal tint: the selected row is never the darker one.
    Color SelectedTint{118, 178, 232, 255};

private:
    CoCommand BuyStep(int step);

    StoreList list_;
    int offeredCount_ = 0;
    Handle<ItemComponent> selectedItem_; // a good the editor may remove
    Handle<ItemComponent> buying_;       // the good this press of "MenuConfirm" buys
    bool parked_ = false;                // holding on a good that was never chosen
    float repeatDelay_ = FirstRepeatDelay;
};

// Why the store would refuse to sell the item now: not enough money, or no room left for a good
// that takes storage (submarines and quick-slot expansions take none). Null when it may be bought.
const char* purchaseRefusal(const ItemComponent& item);
