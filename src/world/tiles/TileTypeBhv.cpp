#include "world/tiles/TileTypeBhv.h"

#include <cstdio>
#include <vector>

#include "assets/Texture.h"
#include "core/ContentError.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "physics/B2FixtureComponent.h"
#include "prefabs/PrefabManager.h"
#include "reflection/ResourceLookup.h"
#include "world/TileGrid.h"
#include "world/scenery/SceneryCollisionManagerBhv.h"
#include "world/things/RandomDropBhv.h"
#include "world/things/ThingRootBhv.h"
#include "world/tiles/TileHeld.h"
#include "world/tiles/TileTypeTable.h"

namespace {

constexpr const char* TileAtlas = "Game";

Texture* FindTileAtlas() {
    const TextureLookup* lookup = Service<TextureLookup>::TryGet();
    return lookup ? lookup->FindTexture(TileAtlas) : nullptr;
}

} // namespace

TileTypeBhv* GetTileType(int code) {
    const TileTypeTable* table = WellKnown<TileTypeTable>::Get();
    return table ? table->Get(code) : nullptr;
}

bool IsSolidCode(int code) {
    const TileTypeBhv* type = GetTileType(code);
    return type && type->IsSolid;
}

TileTypeBhv::TileTypeBhv() {
    RegisterProperty("TileIndex", &TileIndex);
    RegisterProxyProperty<std::string>("TileImageName", this, &TileTypeBhv::GetImageName,
                                       &TileTypeBhv::SetImageName);
    RegisterProperty("IsSolid", &IsSolid);
    RegisterProperty("Hardness", &Hardness);
    RegisterProperty("DrillResistance", &DrillResistance);
    RegisterProperty("CorrespondingItem", &CorrespondingItem);
}

TileTypeBhv::~TileTypeBhv() {
    if (TileTypeTable* table = WellKnown<TileTypeTable>::Get()) {
        table->Release(TileIndex, this);
    }
}

void TileTypeBhv::Start() {
    TileTypeTable* table = WellKnown<TileTypeTable>::Get();
    // A type still at the default index stands for no code.
    if (!table || TileIndex < 0) {
        return;
    }
    if (TileIndex > TileTypeTable::MaxCode) {
        const std::string prefab = Owner ? Owner->PrefabName : std::string("tile type");
        const PrefabManager* prefabs = Service<PrefabManager>::TryGet();
        const std::string file = prefabs ? (prefabs->Folder / (prefab + ".json")).string() : prefab + ".json";
        throw ContentError(file, "\"TileIndex\" " + std::to_string(TileIndex) +
                                     " is past the last tile code, " +
                                     std::to_string(TileTypeTable::MaxCode));
    }
    if (TileTypeBhv* previous = table->Get(TileIndex); previous && previous != this) {
        if (previous->Owner && !previous->Owner->PendingDestroy) {
            previous->Owner->DestroyLater();
        }
    }
    table->Put(TileIndex, this);
}

std::string TileTypeBhv::GetImageName() const {
    if (ImageIndex < 0) {
        return unresolvedName_;
    }
    const Texture* atlas = FindTileAtlas();
    if (!atlas || ImageIndex >= atlas->SpriteCount()) {
        return unresolvedName_;
    }
    return atlas->SpriteNames[ImageIndex];
}

void TileTypeBhv::SetImageName(const std::string& name) {
    ImageIndex = -1;
    unresolvedName_.clear();
    if (name.empty()) {
        return;
    }
    const Texture* atlas = FindTileAtlas();
    if (atlas) {
        const auto it = atlas->SpriteIndex.find(name);
        if (it != atlas->SpriteIndex.end()) {
            ImageIndex = it->second;
            return;
        }
        std::fprintf(stderr, "kelvane: tile image \"%s\" is not in the \"%s\" atlas; the tile is not drawn\n",
                     name.c_str(), TileAtlas);
    }
    unresolvedName_ = name;
}

void TileTypeBhv::DestroyTile(int column, int row) {
    if (TileGrid* grid = Service<TileGrid>::TryGet()) {
        grid->Set(column, row, 0);
    }
    if (SceneryCollisionManagerBhv* scenery = WellKnown<SceneryCollisionManagerBhv>::Get()) {
        scenery->MarkSceneryDirty(column, row);
    }
    const Vector2 centre = TileGrid::CellCentre(column, row);
    ThingRootBhv* things = WellKnown<ThingRootBhv>::Get();
    if (things && !CorrespondingItem.empty()) {
        things->SpawnItemPickup(1, CorrespondingItem, centre);
    }
    if (Owner) {
        if (RandomDropBhv* drop = Owner->GetComponentOfType<RandomDropBhv>()) {
            drop->Drop(centre);
        }
    }
    // Creatures held by the tile (sea urchins, chests standing on it) come loose.
    std::vector<B2FixtureComponent*> above;
    ThingRootBhv::QueryFixturesInSquare({centre.x, centre.y + 1.0f}, 0.2f, above);
    for (B2FixtureComponent* fixture : above) {
        TileHeld* held = fixture->Owner ? fixture->Owner->GetComponentOfType<TileHeld>() : nullptr;
        if (held && held->HeldByTile()) {
            held->ReleaseFromTile();
        }
    }
}
