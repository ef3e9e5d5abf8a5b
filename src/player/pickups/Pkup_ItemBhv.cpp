#include "player/pickups/Pkup_ItemBhv.h"

#include <cstdio>

#include "audio/CueManagerBhv.h"
#include "components/SpriteComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "player/pickups/PickupFlashBhv.h"
#include "prefabs/PrefabManager.h"

bool Pkup_ItemBhv::canPickUp() {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    return inventory && inventory->StorageUsed < inventory->StorageMax;
}

void Pkup_ItemBhv::pickUp() {
    if (GameObject* item = FindChild("Item")) {
        if (const ItemComponent* component = ItemOf(*item)) {
            addItem(component->Quantity, item->PrefabName);
            playCue("ItemPickup");
        }
    }
    if (Owner) {
        Owner->DestroyLater();
    }
}

void Pkup_ItemBhv::setItem(int count, const std::string& itemName) {
    const PrefabManager* prefabs = Service<PrefabManager>::TryGet();
    if (!Owner || !prefabs || !prefabs->Contains(itemName)) {
        std::fprintf(stderr, "kelvane: no prefab for item \"%s\"; the pickup carries nothing\n",
                     itemName.c_str());
        return;
    }
    auto* object = new GameObject(itemName);
    object->SetPassesEnabled(false);
    object->Name = "Item";
    Owner->AppendChild(object);
    ItemComponent* item = ItemOf(*object);
    if (!item) {
        return;
    }
    item->Quantity = count;
    if (SpriteComponent* sprite = Sprite()) {
        if (sprite->GetTexture()) {
            sprite->SelectSpriteByName(item->IconImageName);
        }
        sprite->Size = {item->IconScale, item->IconScale};
    }
    if (TintComponent* tint = Tint()) {
        tint->Tint = item->IconTint;
    }
    if (PickupFlashBhv* flash = Owner->GetComponentOfType<PickupFlashBhv>()) {
        flash->BaseColour = item->IconTint;
    }
}
