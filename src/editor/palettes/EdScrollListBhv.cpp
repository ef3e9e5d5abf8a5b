#include "editor/palettes/EdScrollListBhv.h"

#include "core/GameObject.h"
#include "editor/EdFind.h"
#include "editor/widgets/EdButtonBhv.h"
#include "editor/widgets/EdListItemBhv.h"

void EdScrollListBhv::Start() {
    scrollUp_ = FindChildComponent<EdButtonBhv>(Owner, "BtnScrollUp");
    scrollDown_ = FindChildComponent<EdButtonBhv>(Owner, "BtnScrollDown");
}

std::vector<EdListItemBhv*>
EdScrollListBhv::CollectRows(const std::function<void(EdListItemBhv&, size_t row)>& wire) const {
    std::vector<EdListItemBhv*> rows;
    for (GameObject* child : Owner->Children) {
        if (child->Name != "EdListItem") {
            continue;
        }
        if (auto* item = child->GetComponentOfType<EdListItemBhv>()) {
            wire(*item, rows.size());
            rows.push_back(item);
        }
    }
    return rows;
}

void EdScrollListBhv::ScrollBy(int delta) {
    if (delta < 0) {
        Offset = Offset + delta < 0 ? 0 : Offset + delta;
    } else if (delta > 0 && Offset + RowCount() <= EntryCount()) {
        // Only while the last row still shows an entry: scrolling stops once it is empty.
        Offset += delta;
    }
}

CoCommand EdScrollListBhv::ScrollRepeat(int step) {
    if (step == 0) {
        ScrollBy(direction_);
        return CoWaitSeconds(RepeatSeconds);
    }
    return CoRestart();
}

void EdScrollListBhv::Update() {
    const int direction = scrollUp_ && scrollUp_->IsArmed ? -1 : scrollDown_ && scrollDown_->IsArmed ? 1 : 0;
    if (direction != direction_) {
        StopCoroutine<&EdScrollListBhv::ScrollRepeat>();
        direction_ = direction;
    }
    if (direction_ != 0) {
        // Runs its first step at once: the first row moves on the frame of the press.
        StartCoroutine<&EdScrollListBhv::ScrollRepeat>();
    }
    if (Offset < 0) {
        Offset = 0;
    }
    if (scrollUp_) {
        scrollUp_->IsGrayedOut = Offset == 0;
    }
    if (scrollDown_) {
        scrollDown_->IsGrayedOut = Offset + RowCount() > EntryCount();
    }
}
