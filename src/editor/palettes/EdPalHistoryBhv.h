#pragma once

#include <string>
#include <vector>

#include "core/Handle.h"
#include "editor/palettes/EdScrollListBhv.h"

class EdButtonBhv;
class EdListItemBhv;

// The history palette: a first line for the state before any step, then every step of the
// editor's history, oldest first, the current one marked; clicking a line undoes or redoes to it.
// Its buttons undo and redo one step. The keys (Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z) belong to the
// editor's root, so they work with this palette hidden.
class EdPalHistoryBhv : public EdScrollListBhv {
public:
    static constexpr const char* ClassName = "EdPalHistoryBhv";
    static constexpr const char* StartLine = "(as loaded)";

    // Finds the rows and buttons and connects them.
    void Start() override;
    void Update() override;

protected:
    int EntryCount() const override;
    int RowCount() const override { return static_cast<int>(rows_.size()); }

private:
    std::vector<EdListItemBhv*> rows_;
    size_t shownCursor_ = static_cast<size_t>(-1); // the cursor the list last scrolled to
    Handle<EdButtonBhv> undo_;
    Handle<EdButtonBhv> redo_;
};
