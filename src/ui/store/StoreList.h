#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Color.h"
#include "core/GameObject.h"
#include "core/Handle.h"

class ItemComponent;

// The scrolling list the buy and sell menus share: the row objects of one prefab among the menu's
// children, the selected entry and the scroll top (the first entry shown), which follows the
// selection so that it stays on screen.
class StoreList {
public:
    // Takes the menu's children built from rowPrefab, in child order, and the normal tint of the
    // first row's "Background".
    void CollectRows(const GameObject& menu, std::string_view rowPrefab);
    // Collects the rows again when the editor removed or rebuilt one since; every row is then there.
    void KeepRows(const GameObject& menu, std::string_view rowPrefab);

    // After a move: scroll just far enough that the selected entry is on a row.
    void KeepSelectionVisible();
    // Selection and scroll back to the top, as a menu is left.
    void Reset() { Selected = ScrollTop = 0; }
    // "ScrollUpArrow" shows while entries are hidden above, "ScrollDownArrow" while some are
    // hidden below the last row.
    void ShowScrollArrows(const GameObject& menu, int count) const;

    // The row's "Background" takes selectedTint or the normal tint, and its "Outline" rim shows
    // only on the selected row.
    void ShowSelection(const GameObject& row, bool selected, Color selectedTint) const;

    int RowCount() const { return static_cast<int>(Rows.size()); }

    std::vector<Handle<GameObject>> Rows;
    Color NormalTint = Color::White();
    int Selected = 0;
    int ScrollTop = 0;
};

// Row fields, each a named child of the row; a missing child is skipped.
void SetRowText(const GameObject& row, std::string_view child, const std::string& text);
void SetRowTint(const GameObject& row, std::string_view child, Color tint);
// The "Icon" child shows the item's icon image in its icon tint.
void SetRowIcon(const GameObject& row, const ItemComponent& item);
