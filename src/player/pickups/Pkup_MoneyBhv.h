#pragma once

#include "core/Behavior.h"
#include "player/pickups/IPickup.h"

// Money: adds its amount to the player's money.
class Pkup_MoneyBhv : public Behavior, public IPickup {
public:
    static constexpr const char* ClassName = "Pkup_MoneyBhv";

    Pkup_MoneyBhv();

    bool canPickUp() override;
    void pickUp() override;

    int Money = 1;
};
