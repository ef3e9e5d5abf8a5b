#include "player/items/AllItemsBhv.h"

#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "player/items/ItemComponent.h"
#include "prefabs/PrefabManager.h"

AllItemsBhv::~AllItemsBhv() {
    WellKnown<AllItemsBhv>::ClearIf(this);
}

void AllItemsBhv::Start() {
    const PrefabManager* prefabs = Service<PrefabManager>::TryGet();
    if (prefabs && Owner) {
        for (const auto& [name, prefab] : prefabs->Prefabs) {
            if (name.rfind("Item_", 0) != 0) {
                continue;
            }
            auto* object = new GameObject(name);
            Owner->AppendChild(object);
            if (ItemComponent* item = ItemOf(*object)) {
                Items[name] = item;
            }
        }
    }
    WellKnown<AllItemsBhv>::Register(this);
    if (Owner) {
        Owner->SetPassesEnabled(false);
    }
}

ItemComponent* catalogueItem(const std::string& name) {
    const AllItemsBhv* catalogue = WellKnown<AllItemsBhv>::Get();
    if (!catalogue) {
        return nullptr;
    }
    const auto it = catalogue->Items.find(name);
    return it == catalogue->Items.end() ? nullptr : it->second;
}
