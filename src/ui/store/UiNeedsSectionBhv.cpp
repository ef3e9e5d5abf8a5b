#include "ui/store/UiNeedsSectionBhv.h"

#include <algorithm>
#include <string>

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/WellKnown.h"
#include "player/items/AllItemsBhv.h"
#include "player/items/ForSaleItemsBhv.h"
#include "player/items/ItemComponent.h"
#include "player/items/ItemUnlockComponent.h"
#include "ui/store/StoreList.h"

UiNeedsSectionBhv::UiNeedsSectionBhv() {
    RegisterProperty("UnlockFlashPeriod", &UnlockFlashPeriod);
}

void UiNeedsSectionBhv::Start() {
    CollectRows();
}

void UiNeedsSectionBhv::CollectRows() {
    rows_.clear();
    if (!Owner) {
        return;
    }
    for (GameObject* child : Owner->Children) {
        if (child->PrefabName == "UiNeedMenuItem") {
            rows_.push_back(Row{child, false});
        }
    }
}

int UiNeedsSectionBhv::RowsInUse() const {
    int n = 0;
    for (const Row& row : rows_) {
        n += row.InUse ? 1 : 0;
    }
    return n;
}

void UiNeedsSectionBhv::Update() {
    if (!Owner) {
        return;
    }
    if (std::any_of(rows_.begin(), rows_.end(), [](const Row& row) { return !row.Object; })) {
        CollectRows();
    }
    size_t next = 0;
    const ForSaleItemsBhv* forSale = WellKnown<ForSaleItemsBhv>::Get();
    if (forSale && forSale->Owner) {
        for (int i = 0; next < rows_.size(); ++i) {
            const auto* unlock = forSale->Owner->GetComponentOfType<ItemUnlockComponent>(i);
            if (!unlock) {
                break;
            }
            if ((forSale->UnlockedBits & unlock->UnlockBit) != 0 || unlock->QuantityCurrent < 1) {
                continue;
            }
            Row& row = rows_[next++];
            row.InUse = true;
            GameObject& object = *row.Object.Get();
            object.DrawEnabled = true;
            if (const ItemComponent* needed = catalogueItem(unlock->NeededItemName)) {
                SetRowIcon(object, *needed);
                SetRowText(object, "Title", needed->DisplayName);
            }
            // How many more must be sold, not how many in all.
            SetRowText(object, "Quantity",
                       std::to_string(unlock->QuantityNeeded - unlock->QuantityCurrent) + " more");
        }
    }
    for (; next < rows_.size(); ++next) {
        rows_[next].InUse = false;
        rows_[next].Object->DrawEnabled = false;
    }

    if (!rows_.empty() && rows_.front().InUse) {
        if (!flashing_) {
            flashing_ = true;
            StartCoroutine<&UiNeedsSectionBhv::FlashStep>();
            playCue("ItemsUnlocked");
        }
    } else {
        // Hidden by drawing only: the section keeps updating so it notices the first sale.
        flashing_ = false;
        Owner->DrawEnabled = false;
        StopCoroutine<&UiNeedsSectionBhv::FlashStep>();
    }
}

CoCommand UiNeedsSectionBhv::FlashStep(int step) {
    if (step >= FlashSteps) {
        Owner->DrawEnabled = true;
        return CoEnd();
    }
    Owner->DrawEnabled = step % 2 == 0;
    return CoWaitSeconds(UnlockFlashPeriod);
}
