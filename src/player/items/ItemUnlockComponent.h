#pragma once

#include <string>

#include "core/Component.h"
#include "reflection/IEditable.h"

// Progress towards one unlock: selling QuantityNeeded of NeededItemName sets UnlockBit in the
// for-sale catalogue's unlocked goods.
class ItemUnlockComponent : public Component, public IEditable {
public:
    static constexpr const char* ClassName = "ItemUnlockComponent";

    ItemUnlockComponent();

    int UnlockBit = 0;
    std::string NeededItemName;
    int QuantityNeeded = 50;
    int QuantityCurrent = 0;
};
