#include "player/items/ItemComponent.h"

#include "core/GameObject.h"

ItemComponent::ItemComponent() {
    RegisterProperty("Quantity", &Quantity);
    RegisterProperty("Price", &Price);
    RegisterProperty("IconImageName", &IconImageName);
    RegisterProperty("DisplayName", &DisplayName);
    RegisterProperty("Description", &Description);
    RegisterProperty("IsWeapon", &IsWeapon);
    RegisterProperty("IsBlock", &IsBlock);
    RegisterProperty("IsUseable", &IsUseable);
    RegisterProperty("QuickslotIndex", &QuickslotIndex);
    RegisterProperty("IconTint", &IconTint);
    RegisterProperty("IconScale", &IconScale);
    RegisterProperty("UnlockBit", &UnlockBit);
    RegisterProperty("SubOwnedBit", &SubOwnedBit);
    RegisterProperty("SubStorage", &SubStorage);
    RegisterProperty("SubSpeed", &SubSpeed);
    RegisterProperty("SubHealth", &SubHealth);
    RegisterProperty("BuySortOrder", &BuySortOrder);
}

const std::string& ItemComponent::ItemName() const {
    static const std::string none;
    return Owner ? Owner->PrefabName : none;
}

ItemComponent* ItemOf(const GameObject& object) {
    return object.GetComponentOfType<ItemComponent>();
}
