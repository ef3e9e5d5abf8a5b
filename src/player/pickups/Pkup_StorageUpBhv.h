#pragma once

#include "core/Behavior.h"
#include "player/pickups/IPickup.h"

// A storage upgrade: raises the storage capacity.
class Pkup_StorageUpBhv : public Behavior, public IPickup {
public:
    static constexpr const char* ClassName = "Pkup_StorageUpBhv";

    Pkup_StorageUpBhv();

    bool canPickUp() override;
    void pickUp() override;

    int StorageIncrease = 5;
};
