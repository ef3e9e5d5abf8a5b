#pragma once

#include "core/Behavior.h"
#include "player/pickups/IPickup.h"

// A speed upgrade: strengthens the submarine's thrust for good.
class Pkup_SpeedUpBhv : public Behavior, public IPickup {
public:
    static constexpr const char* ClassName = "Pkup_SpeedUpBhv";

    Pkup_SpeedUpBhv();

    bool canPickUp() override;
    void pickUp() override;

    float SpeedUpAmount = 1.0f;
};
