#include "player/pickups/PickupFlashBhv.h"

#include "components/TintComponent.h"

void PickupFlashBhv::Start() {
    if (const TintComponent* tint = Tint()) {
        BaseColour = tint->Tint;
    }
    StartCoroutine<&PickupFlashBhv::FlashStep>();
}

CoCommand PickupFlashBhv::FlashStep(int step) {
    TintComponent* tint = Tint();
    switch (step) {
    case 0:
        if (tint) {
            tint->Tint = BaseColour;
        }
        return CoWaitSeconds(0.45f);
    case 1:
        if (tint) {
            tint->Tint = Color{0, 0, 0, 255};
        }
        return CoWaitSeconds(0.05f);
    case 2:
        if (tint) {
            tint->Tint.a = 0;
        }
        return CoWaitSeconds(0.05f);
    default:
        return CoRestart();
    }
}
