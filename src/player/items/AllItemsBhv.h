#pragma once

#include <map>
#include <string>

#include "core/Behavior.h"

class ItemComponent;

// The item catalogue: one switched-off instance of every "Item_" prefab, by name. Reached as
// WellKnown<AllItemsBhv>.
class AllItemsBhv : public Behavior {
public:
    static constexpr const char* ClassName = "AllItemsBhv";

    ~AllItemsBhv() override;
    // Builds the instances in name order, registers itself and switches its object off so that
    // none of its items ever acts.
    void Start() override;

    std::map<std::string, ItemComponent*> Items;
};

// The catalogue instance of the named item, or null.
ItemComponent* catalogueItem(const std::string& name);
