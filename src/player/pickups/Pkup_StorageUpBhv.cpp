#include "player/pickups/Pkup_StorageUpBhv.h"

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/SaturatingMath.h"
#include "core/WellKnown.h"
#include "player/HudMessage.h"
#include "player/items/InventoryBhv.h"

Pkup_StorageUpBhv::Pkup_StorageUpBhv() {
    RegisterProperty("StorageIncrease", &StorageIncrease);
}

bool Pkup_StorageUpBhv::canPickUp() {
    return true;
}

void Pkup_StorageUpBhv::pickUp() {
    InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (inventory) {
        inventory->StorageMax = SaturatingAdd(inventory->StorageMax, StorageIncrease);
    }
    playCue("Upgrade");
    if (Owner) {
        Owner->DestroyLater();
    }
    showHudMessage("Storage Up");
}
