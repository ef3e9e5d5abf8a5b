#pragma once

#include <string>

#include "core/Behavior.h"

class ItemComponent;

// What the supply station can sell (a switched-off copy of every item with an unlock bit, in buying
// order) and which of it is unlocked. Its ItemUnlockComponents count the sales that unlock more.
// Reached as WellKnown<ForSaleItemsBhv>.
class ForSaleItemsBhv : public Behavior {
public:
    static constexpr const char* ClassName = "ForSaleItemsBhv";

    ForSaleItemsBhv();
    ~ForSaleItemsBhv() override;
    // Registers itself, copies the sellable catalogue items, orders them by "BuySortOrder" (equal
    // orders keep name order) and switches its object off.
    void Start() override;

    int UnlockedBits = 1;
};

// Can the store offer the item now? Quick-slot expansions one at a time, in order; anything else
// once its unlock bit is set. False without a for-sale catalogue.
bool isUnlocked(const ItemComponent& item);
// The price, or 0 for a submarine the player owns already.
int effectivePrice(const ItemComponent& item);
// Counts a sale towards the unlocks waiting for that item; completing one sets its bit and plays
// "ItemsUnlocked".
void recordSale(int count, const std::string& name);
