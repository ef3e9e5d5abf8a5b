#include "player/pickups/Pkup_MoneyBhv.h"

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/SaturatingMath.h"
#include "core/WellKnown.h"
#include "player/items/InventoryBhv.h"

Pkup_MoneyBhv::Pkup_MoneyBhv() {
    RegisterProperty("Money", &Money);
}

bool Pkup_MoneyBhv::canPickUp() {
    return true;
}

void Pkup_MoneyBhv::pickUp() {
    InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (inventory) {
        inventory->Money = SaturatingAdd(inventory->Money, Money);
    }
    playCue("MoneyPickup");
    if (Owner) {
        Owner->DestroyLater();
    }
}
