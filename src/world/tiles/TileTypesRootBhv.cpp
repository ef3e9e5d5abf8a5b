#include "world/tiles/TileTypesRootBhv.h"

#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "prefabs/PrefabManager.h"

TileTypesRootBhv::~TileTypesRootBhv() {
    WellKnown<TileTypeTable>::ClearIf(&Table);
}

void TileTypesRootBhv::Start() {
    WellKnown<TileTypeTable>::Register(&Table);
    PrefabManager* prefabs = Service<PrefabManager>::TryGet();
    if (!prefabs || !Owner) {
        return;
    }
    for (const auto& [name, prefab] : prefabs->Prefabs) {
        if (name.compare(0, 5, "Tile_") == 0) {
            Owner->AppendChild(new GameObject(name));
        }
    }
}
