#pragma once

#include "core/Behavior.h"
#include "player/pickups/IPickup.h"

// A hull upgrade: raises the maximum and the current hull points alike.
class Pkup_HealthUpBhv : public Behavior, public IPickup {
public:
    static constexpr const char* ClassName = "Pkup_HealthUpBhv";

    Pkup_HealthUpBhv();

    bool canPickUp() override;
    void pickUp() override;

    int HealthMaxIncrease = 1;
};
