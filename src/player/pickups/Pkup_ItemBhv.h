#pragma once

#include <string>

#include "core/Behavior.h"
#include "player/pickups/IPickup.h"
#include "world/things/IItemCarrier.h"

// A dropped item: carries a switched-off instance of the item as its child "Item" and shows the
// item's icon. Collected while storage is not full, and then added in full.
class Pkup_ItemBhv : public Behavior, public IPickup, public IItemCarrier {
public:
    static constexpr const char* ClassName = "Pkup_ItemBhv";

    bool canPickUp() override;
    void pickUp() override;

    // Builds the carried item with that quantity and takes on its icon, scale and tint. An item
    // without a prefab is skipped with a warning naming it.
    void setItem(int count, const std::string& itemName) override;
};
