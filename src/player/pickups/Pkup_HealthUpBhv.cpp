#include "player/pickups/Pkup_HealthUpBhv.h"

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/SaturatingMath.h"
#include "core/WellKnown.h"
#include "player/HudMessage.h"
#include "player/items/InventoryBhv.h"

Pkup_HealthUpBhv::Pkup_HealthUpBhv() {
    RegisterProperty("HealthMaxIncrease", &HealthMaxIncrease);
}

bool Pkup_HealthUpBhv::canPickUp() {
    return true;
}

void Pkup_HealthUpBhv::pickUp() {
    InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (inventory) {
        inventory->HealthMax = SaturatingAdd(inventory->HealthMax, HealthMaxIncrease);
        inventory->Health = SaturatingAdd(inventory->Health, HealthMaxIncrease);
    }
    playCue("Upgrade");
    if (Owner) {
        Owner->DestroyLater();
    }
    showHudMessage("Health Up");
}
