#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "core/Behavior.h"
#include "core/CoCommand.h"
#include "core/Handle.h"

class EdButtonBhv;
class EdListItemBhv;

// What every list in the editor shares: a fixed number of rows showing entries from an offset,
// "BtnScrollUp" and "BtnScrollDown" children that scroll it one row at once and then every 0.05 s
// while held, and their grayed look at either end.
class EdScrollListBhv : public Behavior {
public:
    static constexpr float RepeatSeconds = 0.05f;

    // Finds the scroll buttons.
    void Start() override;
    // Starts or stops the scrolling repeat from the buttons' state and grays them at the ends. The
    // concrete lists call it from their own Update.
    void Update() override;

    // Moves the offset by delta rows, never above the first entry; down only while the last row
    // shows an entry.
    void ScrollBy(int delta);

    int Offset = 0;

protected:
    // How many entries and how many rows the list has now.
    virtual int EntryCount() const = 0;
    virtual int RowCount() const = 0;
    // The "EdListItem" children in order, the list's rows: wire is called with each and its row, to
    // give it its click handlers (the entry under a row is Offset + row).
    std::vector<EdListItemBhv*>
    CollectRows(const std::function<void(EdListItemBhv&, size_t row)>& wire) const;

private:
    CoCommand ScrollRepeat(int step);

    Handle<EdButtonBhv> scrollUp_;
    Handle<EdButtonBhv> scrollDown_;
    int direction_ = 0;
};
