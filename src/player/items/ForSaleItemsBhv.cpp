#include "player/items/ForSaleItemsBhv.h"

#include <algorithm>

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/WellKnown.h"
#include "player/items/AllItemsBhv.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "player/items/ItemUnlockComponent.h"

namespace {

int SortOrder(const GameObject* object) {
    const ItemComponent* item = ItemOf(*object);
    return item ? item->BuySortOrder : 0;
}

} // namespace

ForSaleItemsBhv::ForSaleItemsBhv() {
    RegisterProperty("UnlockedBits", &UnlockedBits);
}

ForSaleItemsBhv::~ForSaleItemsBhv() {
    WellKnown<ForSaleItemsBhv>::ClearIf(this);
}

void ForSaleItemsBhv::Start() {
    WellKnown<ForSaleItemsBhv>::Register(this);
    if (!Owner) {
        return;
    }
    if (const AllItemsBhv* catalogue = WellKnown<AllItemsBhv>::Get()) {
        for (const auto& [name, item] : catalogue->Items) {
            if (item->UnlockBit != 0) {
                Owner->AppendChild(new GameObject(name));
            }
        }
    }
    std::stable_sort(Owner->Children.begin(), Owner->Children.end(),
                     [](const GameObject* a, const GameObject* b) { return SortOrder(a) < SortOrder(b); });
    Owner->SetPassesEnabled(false);
}

bool isUnlocked(const ItemComponent& item) {
    const ForSaleItemsBhv* forSale = WellKnown<ForSaleItemsBhv>::Get();
    if (!forSale) {
        return false;
    }
    const std::string& name = item.ItemName();
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    const int slots = inventory ? inventory->QuickslotCount : 0;
    if (name == "Item_Quickslot3") {
        return slots == 2;
    }
    if (name == "Item_Quickslot4") {
        return slots == 3;
    }
    if (name == "Item_Quickslot5") {
        return slots == 4;
    }
    return (forSale->UnlockedBits & item.UnlockBit) != 0;
}

int effectivePrice(const ItemComponent& item) {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (item.SubOwnedBit != 0 && inventory && (inventory->OwnedSubs & item.SubOwnedBit) != 0) {
        return 0;
    }
    return item.Price;
}

void recordSale(int count, const std::string& name) {
    ForSaleItemsBhv* forSale = WellKnown<ForSaleItemsBhv>::Get();
    if (!forSale || !forSale->Owner) {
        return;
    }
    for (int i = 0;; ++i) {
        auto* unlock = forSale->Owner->GetComponentOfType<ItemUnlockComponent>(i);
        if (!unlock) {
            break;
        }
        if ((forSale->UnlockedBits & unlock->UnlockBit) != 0 || unlock->NeededItemName != name) {
            continue;
        }
        unlock->QuantityCurrent += count;
        if (unlock->QuantityCurrent >= unlock->QuantityNeeded) {
            forSale->UnlockedBits |= unlock->UnlockBit;
            playCue("ItemsUnlocked");
        }
    }
}
