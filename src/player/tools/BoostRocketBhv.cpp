#include "player/tools/BoostRocketBhv.h"

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "player/sub/SubBhv.h"
#include "player/tools/ToolSupport.h"

BoostRocketBhv::BoostRocketBhv() {
    RegisterProperty("BoostDuration", &BoostDuration);
    RegisterProperty("BoostMultiplier", &BoostMultiplier);
}

void BoostRocketBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    SubBhv* sub = WellKnown<SubBhv>::Get();
    if (!input || !sub || !input->IsActionPressed(Action::MainWeapon) || !AimOverPlayArea()) {
        return;
    }
    sub->BoostTimeLeft = BoostDuration;
    sub->SpeedMultiplier = BoostMultiplier;
    playCue("RocketBoost");
    removeItem(Owner ? ItemOf(*Owner) : nullptr, 1);
}
