#pragma once

#include <string>

// A pickup that carries an item (the "Pkup_Item" prefab's behaviour): SpawnItemPickup hands it the
// item it was asked to drop.
class IItemCarrier {
public:
    virtual void setItem(int count, const std::string& itemName) = 0;

protected:
    ~IItemCarrier() = default;
};
