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
        // Fading through half strength to nothing reads as a blink; a black frame looked like a
        // missing picture.
        if (tint) {
            tint->Tint = BaseColour;
            tint->Tint.a = static_cast<unsigned char>(BaseColour.a / 2);
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
