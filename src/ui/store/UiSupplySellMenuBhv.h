#pragma once

#include <vector>

#include "core/Behavior.h"
#include "core/CoCommand.h"
#include "core/Color.h"
#include "ui/store/StoreList.h"

class ItemComponent;

// The store's sell list: every item the submarine holds, at half its buying price, one per
// "UiSellMenuItem" row. Holding "MenuConfirm" sells the selected item unit by unit, a little faster
// each time, and stops after the last one; "MenuSellAll" sells every block and mineral at once.
class UiSupplySellMenuBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiSupplySellMenuBhv";
    static constexpr float FirstRepeatDelay = 0.5f;
    static constexpr float RepeatFactor = 0.9f;
    static constexpr float MinRepeatDelay = 0.05f;

    UiSupplySellMenuBhv();

    // Collects the rows and switches the menu off until the store opens it.
    void Start() override;
    // Back to the store's main menu, moving the selection, the sell routine and selling blocks.
    void HandleInput() override;
    void Update() override { Refresh(); }

    // Re-reads the held items, clamps the selection to them and fills the rows.
    void Refresh();
    // Sells every held block and mineral at once; true when there was any.
    bool SellAllBlocks();

    int SelectedIndex() const { return list_.Selected; }
    int ScrollTop() const { return list_.ScrollTop; }
    const std::vector<ItemComponent*>& HeldItems() const { return held_; }

    // Brighter than the rows' normal tint: the selected row is never the darker one.
    Color SelectedTint{118, 178, 232, 255};

private:
    CoCommand SellStep(int step);
    void CollectHeldItems();

    StoreList list_;
    std::vector<ItemComponent*> held_;
    float repeatDelay_ = FirstRepeatDelay;
};

// What one unit of the item fetches: half its buying price, rounded down.
int salePrice(const ItemComponent& item);
// Whether selling one unit of the item would leave no drill among the held items (those in quick
// slots included): the store refuses that sale.
bool isLastDrill(const ItemComponent& item, const std::vector<ItemComponent*>& held);
