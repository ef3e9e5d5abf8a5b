#include "player/items/HealthItemBhv.h"

#include <algorithm>

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/SaturatingMath.h"
#include "core/WellKnown.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"

HealthItemBhv::HealthItemBhv() {
    RegisterProperty("HealthToRestore", &HealthToRestore);
}

bool HealthItemBhv::canUse() {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    return inventory && inventory->Health < inventory->HealthMax;
}

void HealthItemBhv::use() {
    InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!inventory) {
        return;
    }
    inventory->Health = SaturatingAdd(
        inventory->Health,
        std::max(0, std::min(HealthToRestore, SaturatingSub(inventory->HealthMax, inventory->Health))));
    playCue("HealthRestore");
    removeItem(Owner ? ItemOf(*Owner) : nullptr, 1);
}
