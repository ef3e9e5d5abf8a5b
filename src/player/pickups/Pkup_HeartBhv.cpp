#include "player/pickups/Pkup_HeartBhv.h"

#include <algorithm>

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/SaturatingMath.h"
#include "core/WellKnown.h"
#include "player/items/InventoryBhv.h"

Pkup_HeartBhv::Pkup_HeartBhv() {
    RegisterProperty("HealthToAdd", &HealthToAdd);
}

bool Pkup_HeartBhv::canPickUp() {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    return inventory && inventory->HealthMax - inventory->Health > 0;
}

void Pkup_HeartBhv::pickUp() {
    InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (inventory) {
        inventory->Health = SaturatingAdd(
            inventory->Health,
            std::max(0, std::min(HealthToAdd, SaturatingSub(inventory->HealthMax, inventory->Health))));
    }
    playCue("HealthRestore");
    if (Owner) {
        Owner->DestroyLater();
    }
}
