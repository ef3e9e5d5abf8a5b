#include "ui/menus/MenuSwitch.h"

#include "core/GameObject.h"
#include "core/WellKnown.h"
#include "player/items/InventoryBhv.h"
#include "player/sub/GameplayScreenBhv.h"

namespace {

void SetRunning(bool running) {
    for (Behavior* bhv : {static_cast<Behavior*>(WellKnown<GameplayScreenBhv>::Get()),
                          static_cast<Behavior*>(WellKnown<InventoryBhv>::Get())}) {
        if (bhv && bhv->Owner) {
            bhv->Owner->InputEnabled = running;
            bhv->Owner->UpdateEnabled = running;
        }
    }
}

} // namespace

void PauseGame() {
    SetRunning(false);
}

void ResumeGame() {
    SetRunning(true);
}
