#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/Behavior.h"
#include "core/Handle.h"
#include "core/Rect.h"
#include "core/Vector2.h"
#include "ui/hud/CachedNumberText.h"

class ItemComponent;

// One row of the HUD's inventory list: the icon, name and quantity of one held item. Clicking a
// row uses a useable item or picks a block for the block placer; in loadout mode a row is dragged
// onto a quick-slot frame instead. The row's rectangle is its position (top left) and "Size".
class HudItemListingBhv : public Behavior {
public:
    static constexpr const char* ClassName = "HudItemListingBhv";
    // Given the item dropped and the index of the quick-slot frame it was dropped on.
    using DropHandler = std::function<void(ItemComponent* item, int slot)>;

    // The quick-slot frames, slots 0 to 4, in screen pixels.
    static constexpr std::array<Rect, 5> DropTargets{Rect{980, 26, 55, 49}, Rect{1035, 26, 55, 49},
                                                     Rect{1093, 26, 55, 49}, Rect{1150, 26, 55, 49},
                                                     Rect{1208, 26, 55, 49}};

    HudItemListingBhv();

    // Finds its pieces and remembers the icon's size as prefab-made.
    void Start() override;
    // Shows the item (or hides the row without one). Pieces the editor removed or rebuilt are
    // looked for again; missing ones are skipped.
    void Update() override;
    // Clicks in normal mode, drags in loadout mode; nothing without an item.
    void HandleInput() override;

    // The item to show; the list sets it every pass, before the row's own hooks run.
    void SetItem(ItemComponent* item);
    ItemComponent* Item() const { return item_.Get(); }
    void SetDropHandler(DropHandler handler) { dropHandler_ = std::move(handler); }
    bool IsDragging() const { return dragging_; }

    Vector2 Size{300.0f, 28.0f};

private:
    void HandleClick(Vector2 pointer, bool down, bool justPressed);
    void HandleDrag(Vector2 pointer, bool down, bool justPressed);
    void EndDrag();
    bool Contains(Vector2 point) const;
    void ShowItem(const ItemComponent& item);
    void FindPieces();

    Handle<ItemComponent> item_;
    Handle<GameObject> icon_;
    Handle<GameObject> nameText_;
    Handle<GameObject> quantityText_;
    Handle<GameObject> background_;
    DropHandler dropHandler_;
    Vector2 baseIconSize_;
    bool pressed_ = false;
    bool dragging_ = false;
    Vector2 dragStartPointer_;
    Vector2 dragStartPos_;

    // What the texts and the icon show now, so a steady row rewrites nothing.
    std::string shownIcon_;
    CachedNumberText quantity_;
};
