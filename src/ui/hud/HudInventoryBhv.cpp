#include "ui/hud/HudInventoryBhv.h"

#include <algorithm>

#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/Pos2dComponent.h"
#include "core/WellKnown.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "ui/hud/HudItemListingBhv.h"
#include "ui/widgets/UiButtonBhv.h"

namespace {

constexpr Color StorageTint = Color::White();
constexpr Color StorageFullTint{255, 85, 85, 255};

UiButtonBhv* ButtonOf(GameObject* object) {
    return object ? object->GetComponentOfType<UiButtonBhv>() : nullptr;
}

// Each held item, in child order; items on their way out are no longer held.
template <class Visit> int ForEachHeldItem(Visit&& visit) {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory || !inventory->Owner) {
        return 0;
    }
    int n = 0;
    for (GameObject* child : inventory->Owner->Children) {
        if (ItemComponent* item = child->PendingDestroy ? nullptr : ItemOf(*child)) {
            visit(n++, item);
        }
    }
    return n;
}

} // namespace

HudInventoryBhv::HudInventoryBhv() {
    RegisterProperty("ListItemSpacing", &ListItemSpacing);
}

void HudInventoryBhv::Start() {
    CollectRows();
    FindPieces();
}

void HudInventoryBhv::CollectRows() {
    rows_.clear();
    for (GameObject* child : Owner->Children) {
        if (auto* row = child->GetComponentOfType<HudItemListingBhv>()) {
            rows_.push_back(row);
            row->SetDropHandler([this](ItemComponent* item, int slot) { AssignQuickslot(item, slot); });
        }
    }
    if (!rows_.empty()) {
        if (const Pos2dComponent* first = rows_.front()->Pos2d()) {
            const float y0 = first->Pos.y;
            for (size_t i = 1; i < rows_.size(); ++i) {
                if (Pos2dComponent* pos = rows_[i]->Pos2d()) {
                    pos->Pos.y = y0 + static_cast<float>(i) * ListItemSpacing;
                }
            }
        }
    }
}

void HudInventoryBhv::FindPieces() {
    if (!storageText_) {
        storageText_ = FindChild("StorageText");
        storage_ = {};
    }
    if (!scrollUp_) {
        scrollUp_ = FindChild("BtnScrollUp");
    }
    if (!scrollDown_) {
        scrollDown_ = FindChild("BtnScrollDown");
    }
}

int HudInventoryBhv::MaxScrollOffset(int itemCount) const {
    return std::max(itemCount - RowCount() + 1, 0);
}

int HudInventoryBhv::FillRows() {
    if (std::any_of(rows_.begin(), rows_.end(), [](const auto& row) { return !row; })) {
        CollectRows();
    }
    const int rows = RowCount();
    const int n = ForEachHeldItem([&](int i, ItemComponent* item) {
        const int j = i - scrollOffset_;
        if (j >= 0 && j < rows) {
            rows_[j]->SetItem(item);
        }
    });
    // Items taken away (sold, used up) can leave the offset past what scrolling reaches; hold it
    // there so the list never stands empty while items are held.
    if (scrollOffset_ > MaxScrollOffset(n)) {
        scrollOffset_ = MaxScrollOffset(n);
        return FillRows();
    }
    for (int j = std::max(n - scrollOffset_, 0); j < rows; ++j) {
        rows_[j]->SetItem(nullptr);
    }
    return n;
}

void HudInventoryBhv::HandleInput() {
    FillRows();
}

void HudInventoryBhv::Update() {
    const int n = FillRows();
    if (!storageText_ || !scrollUp_ || !scrollDown_) {
        FindPieces();
    }
    UiButtonBhv* up = ButtonOf(scrollUp_.Get());
    UiButtonBhv* down = ButtonOf(scrollDown_.Get());
    if (up) {
        up->IsGrayedOut = scrollOffset_ <= 0;
    }
    if (down) {
        down->IsGrayedOut = scrollOffset_ + RowCount() > n;
    }
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (storageText_ && inventory) {
        if (TextComponent* text = storageText_->Text()) {
            // A new game's hold reads 1/50 with nothing dug: the drill takes room too, and says so.
            storage_.Write(text->Text, "Hold:  ", inventory->StorageUsed, "/", inventory->StorageMax,
                           "  (tools count)");
        }
        if (TintComponent* tint = storageText_->Tint()) {
            tint->Tint = inventory->StorageUsed < inventory->StorageMax ? StorageTint : StorageFullTint;
        }
    }
    if (up && up->IsHeld()) {
        StartCoroutine<&HudInventoryBhv::ScrollUpStep>();
    } else {
        StopCoroutine<&HudInventoryBhv::ScrollUpStep>();
    }
    if (down && down->IsHeld()) {
        StartCoroutine<&HudInventoryBhv::ScrollDownStep>();
    } else {
        StopCoroutine<&HudInventoryBhv::ScrollDownStep>();
    }
}

CoCommand HudInventoryBhv::ScrollUpStep(int step) {
    if (step > 0) {
        return CoRestart();
    }
    if (scrollOffset_ > 0) {
        --scrollOffset_;
    }
    return CoWaitSeconds(ScrollRepeatSeconds);
}

CoCommand HudInventoryBhv::ScrollDownStep(int step) {
    if (step > 0) {
        return CoRestart();
    }
    const int largest = MaxScrollOffset(ForEachHeldItem([](int, ItemComponent*) {}));
    scrollOffset_ = scrollOffset_ < largest ? scrollOffset_ + 1 : largest;
    return CoWaitSeconds(ScrollRepeatSeconds);
}

void HudInventoryBhv::ScrollToShow(int index) {
    const int rows = RowCount();
    if (index < 0 || rows <= 0) {
        return;
    }
    scrollOffset_ = std::clamp(scrollOffset_, index - rows + 1, index);
}

HudItemListingBhv* HudInventoryBhv::RowShowing(const ItemComponent* item) const {
    if (!item) {
        return nullptr;
    }
    for (const Handle<HudItemListingBhv>& row : rows_) {
        if (row && row->Item() == item) {
            return row.Get();
        }
    }
    return nullptr;
}

void HudInventoryBhv::AssignQuickslot(ItemComponent* item, int slot) {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!item || !inventory || slot < 0 || slot >= inventory->QuickslotCount || !item->IsWeapon) {
        return;
    }
    if (ItemComponent* previous = weaponInSlot(slot)) {
        previous->QuickslotIndex = -1;
    }
    item->QuickslotIndex = slot;
}
