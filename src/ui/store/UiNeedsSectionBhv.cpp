#include "ui/store/UiNeedsSectionBhv.h"

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
            row.Object->DrawEnabled = true;
            if (const ItemComponent* needed = catalogueItem(unlock->NeededItemName)) {
                SetRowIcon(*row.Object, *needed);
                SetRowText(*row.Object, "Title", needed->DisplayName);
            }
            SetRowText(*row.Object, "Quantity",
                       "x " + std::to_string(unlock->QuantityNeeded - unlock->QuantityCurrent));
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
