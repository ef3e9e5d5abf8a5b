#include "player/pickups/Pkup_SpeedUpBhv.h"

#include <algorithm>

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/WellKnown.h"
#include "player/HudMessage.h"
#include "player/sub/SubBhv.h"

Pkup_SpeedUpBhv::Pkup_SpeedUpBhv() {
    RegisterProperty("SpeedUpAmount", &SpeedUpAmount);
}

bool Pkup_SpeedUpBhv::canPickUp() {
    return true;
}

void Pkup_SpeedUpBhv::pickUp() {
    if (SubBhv* sub = WellKnown<SubBhv>::Get()) {
        sub->MovementForce = std::min(sub->MovementForce + SpeedUpAmount, SubBhv::MaxMovementForce);
    }
    playCue("Upgrade");
    if (Owner) {
        Owner->DestroyLater();
    }
    showHudMessage("Speed Up");
}
