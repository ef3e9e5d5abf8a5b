#pragma once

#include <string>

#include "core/Color.h"
#include "core/Component.h"
#include "reflection/IEditable.h"

// What an item object stands for: how many, what it costs, how it looks in lists and slots, and
// what kind of thing it is. The object's prefab name ("Item_" + name) is the item's identity.
class ItemComponent : public Component, public IEditable {
public:
    static constexpr const char* ClassName = "ItemComponent";

    ItemComponent();

    // The item's identity: its object's prefab name ("" when detached).
    const std::string& ItemName() const;

    int Quantity = 1;
    int Price = 1;
    std::string IconImageName;
    std::string DisplayName;
    std::string Description;
    bool IsWeapon = false;
    bool IsBlock = false;
    bool IsUseable = false;
    int QuickslotIndex = -1;
    Color IconTint = Color::White();
    float IconScale = 1.0f;
    int UnlockBit = 0;
    int SubOwnedBit = 0;
    int SubStorage = 0;
    int SubSpeed = 0;
    int SubHealth = 0;
    int BuySortOrder = 0;
};

// The first ItemComponent of an object, or null.
ItemComponent* ItemOf(const class GameObject& object);
