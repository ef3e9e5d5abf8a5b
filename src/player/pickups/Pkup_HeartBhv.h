#pragma once

#include "core/Behavior.h"
#include "player/pickups/IPickup.h"

// A heart: restores hull points up to the maximum; left alone at full health.
class Pkup_HeartBhv : public Behavior, public IPickup {
public:
    static constexpr const char* ClassName = "Pkup_HeartBhv";

    Pkup_HeartBhv();

    bool canPickUp() override;
    void pickUp() override;

    int HealthToAdd = 2;
};
