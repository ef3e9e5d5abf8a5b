#pragma once

#include <vector>

#include "core/Behavior.h"
#include "core/CoCommand.h"
#include "core/Handle.h"
#include "ui/hud/CachedNumberText.h"

class HudItemListingBhv;
class ItemComponent;

// The HUD's inventory list: a fixed number of rows (its HudItemListingBhv children) showing the
// held items from the scroll offset on, two scroll buttons that repeat while held, and the
// storage line. It also assigns weapons dropped on the quick-slot frames in loadout mode.
class HudInventoryBhv : public Behavior {
public:
    static constexpr const char* ClassName = "HudInventoryBhv";
    static constexpr float ScrollRepeatSeconds = 0.07f;

    HudInventoryBhv();

    // Collects the rows, hands them the quick-slot assignment, stacks them "ListItemSpacing" apart
    // from the first row down, and finds the storage line and the scroll buttons.
    void Start() override;
    // Fills the rows before they handle input, so none acts on an item that has gone. Rows and
    // buttons the editor removed or rebuilt are collected again.
    void HandleInput() override;
    // Fills the rows, greys the scroll buttons, writes the storage line and runs the scrolling.
    void Update() override;

    // Puts a weapon into quick slot `slot`, taking out the weapon that was there. Nothing for other
    // items or for a slot the inventory does not have.
    void AssignQuickslot(ItemComponent* item, int slot);

    // The largest scroll offset for this many items: one past the last full page, so the last
    // row can stand empty below the last item.
    int MaxScrollOffset(int itemCount) const;

    // Scrolls the least that brings the held item at `index` (in list order) into the rows.
    void ScrollToShow(int index);
    // The row showing the item, or null when it is scrolled out of sight or not held.
    HudItemListingBhv* RowShowing(const ItemComponent* item) const;

    int ScrollOffset() const { return scrollOffset_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }

    float ListItemSpacing = 30.0f;

private:
    // Shows the held items from the scroll offset on; returns how many items there are.
    int FillRows();
    // The row children, stacked "ListItemSpacing" apart from the first down.
    void CollectRows();
    void FindPieces();
    CoCommand ScrollUpStep(int step);
    CoCommand ScrollDownStep(int step);

    std::vector<Handle<HudItemListingBhv>> rows_;
    int scrollOffset_ = 0;
    Handle<GameObject> storageText_;
    Handle<GameObject> scrollUp_;
    Handle<GameObject> scrollDown_;
    CachedNumberText storage_;
};
