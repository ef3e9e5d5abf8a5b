#include "player/items/ItemUnlockComponent.h"

ItemUnlockComponent::ItemUnlockComponent() {
    RegisterProperty("UnlockBit", &UnlockBit);
    RegisterProperty("NeededItemName", &NeededItemName);
    RegisterProperty("QuantityNeeded", &QuantityNeeded);
    RegisterProperty("QuantityCurrent", &QuantityCurrent);
}
