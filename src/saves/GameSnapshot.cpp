#include "saves/GameSnapshot.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include <box2d/b2_body.h>

#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "events/Events.h"
#include "events/GameEvents.h"
#include "flow/boss/WorldEventsBhv.h"
#include "physics/B2BodyComponent.h"
#include "player/items/ForSaleItemsBhv.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "player/items/ItemUnlockComponent.h"
#include "player/sub/SubBhv.h"
#include "prefabs/PrefabManager.h"
#include "saves/SaveFormat.h"
#include "world/TileGrid.h"
#include "world/generation/WorldMakerBhv.h"
#include "world/scenery/SceneryCollisionManagerBhv.h"
#include "world/things/ThingComponent.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/things/ThingRootBhv.h"
#include "world/tiles/TileTypeTable.h"

namespace {

constexpr const char* DroppedItem = "Pkup_Item";

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// Whether the named prefab exists and carries a component of the class.
bool PrefabHas(const std::string& name, const char* className) {
    const PrefabManager* prefabs = Service<PrefabManager>::TryGet();
    const Prefab* prefab = prefabs ? prefabs->Find(name) : nullptr;
    if (!prefab) {
        return false;
    }
    return std::any_of(prefab->Components.begin(), prefab->Components.end(),
                       [&](const auto& component) { return component->ClassName == className; });
}

// The world re-creates these itself; a save holds none of them: the stations and gates, and a boss
// fight's boss and shots. The world events bring a fresh boss when the submarine is in the chamber;
// a stored one would come back as an orphan whose death is no defeat.
bool IsWorldsOwn(const std::string& prefabName) {
    return prefabName == "SupplyStation" || prefabName == "BossGate" ||
           PrefabHas(prefabName, "BossCommonBhv") || PrefabHas(prefabName, "En_ProjectileBhv");
}

// Whether a loaded game had earned the reward. A file holds no flag for it, but the reward leaves
// marks that nothing else makes: money at the threshold (the reward is paid the first frame it is
// reached), its storage, its nuke factory (held or dropped).
bool RewardEarned(const SavedGame& game) {
    const auto isNukeFactory = [](const auto& entry) {
        return entry.Name == "Item_NukeFactory";
    };
    return game.Money >= WorldEventsBhv::RewardMoney || game.StorageMax >= WorldEventsBhv::RewardStorage ||
           std::any_of(game.Items.begin(), game.Items.end(), isNukeFactory) ||
           std::any_of(game.Groups.begin(), game.Groups.end(), isNukeFactory);
}

// A code with no tile type would stop every pass over the grid that looks its type up: such cells
// come back as water, told in one line for the whole file.
void ReplaceUnknownTiles(std::vector<uint8_t>& tiles) {
    const TileTypeTable* table = WellKnown<TileTypeTable>::Get();
    if (!table || table->Size() == 0) {
        return;
    }
    size_t replaced = 0;
    size_t first = 0;
    for (size_t i = 0; i < tiles.size(); ++i) {
        if (tiles[i] != 0 && !table->Get(tiles[i])) {
            if (replaced++ == 0) {
                first = i;
            }
            tiles[i] = 0;
        }
    }
    if (replaced > 0) {
        std::fprintf(
            stderr,
            "kelvane: the saved grid holds %zu cell(s) whose tile code has no tile type (the first at "
            "column %zu, row %zu); they become water\n",
            replaced, first % SavedGame::Columns, first / SavedGame::Columns);
    }
}

template <class F> void ForEachThing(F&& visit) {
    const ThingRootBhv* things = WellKnown<ThingRootBhv>::Get();
    if (!things) {
        return;
    }
    for (const ThingGridCellBhv* cell : things->Cells()) {
        if (!cell->Owner) {
            continue;
        }
        for (GameObject* thing : cell->Owner->Children) {
            if (thing->Thing() && !thing->PendingDestroy) {
                visit(*thing);
            }
        }
    }
}

// Says once per name that a saved thing or item cannot come back.
class SkipWarnings {
public:
    void Warn(const std::string& name, const char* what) {
        if (warned_.insert(name).second) {
            // A prefab of that name may exist and be something else (a submarine named as a thing).
            const PrefabManager* prefabs = Service<PrefabManager>::TryGet();
            const bool prefab = prefabs && prefabs->Contains(name);
            std::fprintf(stderr, "kelvane: saved %s \"%s\" %s in this game; skipped\n", what, name.c_str(),
                         prefab ? (std::string("is a prefab but no ") + what).c_str() : "has no prefab");
        }
    }

private:
    std::set<std::string> warned_;
};

} // namespace

bool CaptureGame(SavedGame& game, std::string& fault) {
    const TileGrid* grid = Service<TileGrid>::TryGet();
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!grid || !inventory || !inventory->Owner) {
        fault = "there is no game to save";
        return false;
    }
    game = SavedGame();
    game.Tiles.assign(grid->Codes().begin(), grid->Codes().end());

    std::map<std::string, std::vector<SavedThing>> groups;
    ForEachThing([&](GameObject& thing) {
        if (IsWorldsOwn(thing.PrefabName)) {
            return;
        }
        const Vector2 p = thing.Thing()->Pos;
        if (thing.PrefabName != DroppedItem) {
            groups[thing.PrefabName].push_back({p.x, p.y, 0});
            return;
        }
        // A dropped pickup that carries nothing would come back as nothing.
        const GameObject* carried = thing.FindChild("Item");
        const ItemComponent* item = carried ? ItemOf(*carried) : nullptr;
        if (item && !carried->PrefabName.empty()) {
            groups[carried->PrefabName].push_back({p.x, p.y, item->Quantity});
        }
    });
    for (auto& [name, list] : groups) {
        game.Groups.push_back({name, std::move(list)});
    }

    if (const ForSaleItemsBhv* forSale = WellKnown<ForSaleItemsBhv>::Get()) {
        game.UnlockedBits = forSale->UnlockedBits;
        if (forSale->Owner) {
            for (Component* component : forSale->Owner->Components) {
                if (const auto* unlock = dynamic_cast<const ItemUnlockComponent*>(component)) {
                    game.UnlockCounts.push_back(unlock->QuantityCurrent);
                }
            }
        }
    }

    const GameObject* sub = Submarine();
    const B2BodyComponent* body = sub ? sub->Body() : nullptr;
    const Vector2 position = body ? body->GetPosition() : sub ? sub->GetPosition() : SubBhv::SpawnPoint();
    game.SubX = position.x;
    game.SubY = position.y;
    const SubBhv* subBhv = sub ? sub->GetComponentOfType<SubBhv>() : nullptr;
    game.MovementForce = subBhv ? subBhv->MovementForce : SubBhv().MovementForce;
    game.Health = inventory->Health;
    game.HealthMax = inventory->HealthMax;
    game.Money = inventory->Money;
    game.StorageMax = inventory->StorageMax;
    game.QuickslotCount = inventory->QuickslotCount;
    game.OwnedSubs = inventory->OwnedSubs;
    const WorldEventsBhv* worldEvents = WellKnown<WorldEventsBhv>::Get();
    game.BossDefeated = worldEvents && worldEvents->bossDefeated;

    for (const GameObject* child : inventory->Owner->Children) {
        const ItemComponent* item = child->PendingDestroy ? nullptr : ItemOf(*child);
        if (item && !child->PrefabName.empty()) {
            game.Items.push_back({child->PrefabName, item->Quantity});
        }
    }
    return true;
}

bool CheckFitsGame(const SavedGame& /*game*/, std::string& fault) {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (!Service<TileGrid>::TryGet() || !inventory || !inventory->Owner) {
        fault = "there is no game to load into";
        return false;
    }
    return true;
}

void ApplySavedGame(const SavedGame& game) {
    SkipWarnings warnings;

    // The terrain, and the collision that follows it.
    if (TileGrid* grid = Service<TileGrid>::TryGet()) {
        std::vector<uint8_t> tiles = game.Tiles;
        ReplaceUnknownTiles(tiles);
        for (int row = 0; row < TileGrid::Rows; ++row) {
            for (int column = 0; column < TileGrid::Columns; ++column) {
                grid->At(column, row) = tiles[static_cast<size_t>(row * TileGrid::Columns + column)];
            }
        }
    }
    if (SceneryCollisionManagerBhv* scenery = WellKnown<SceneryCollisionManagerBhv>::Get()) {
        scenery->MarkAllSceneryDirty();
    }
    // The old world's things go, its gates too: fresh ones are spawned below, as for a new world.
    ForEachThing([](GameObject& thing) {
        if (thing.PrefabName != "SupplyStation") {
            thing.DestroyLater();
        }
    });

    if (ThingRootBhv* things = WellKnown<ThingRootBhv>::Get()) {
        for (const SavedThingGroup& group : game.Groups) {
            const bool isItem = StartsWith(group.Name, "Item_");
            if (IsWorldsOwn(group.Name)) {
                continue;
            }
            if (isItem ? !PrefabHas(group.Name, "ItemComponent") || !PrefabHas(DroppedItem, "ThingComponent")
                       : !PrefabHas(group.Name, "ThingComponent")) {
                warnings.Warn(group.Name, isItem ? "dropped item" : "thing");
                continue;
            }
            for (const SavedThing& saved : group.Things) {
                const Vector2 p{saved.X, saved.Y};
                if (!isItem) {
                    things->SpawnThing(group.Name, p);
                    continue;
                }
                GameObject* pickup = things->SpawnItemPickup(saved.Quantity, group.Name, p);
                if (B2BodyComponent* body = pickup ? pickup->Body() : nullptr) {
                    // Where it lay, at rest: not kicked as a fresh drop is.
                    body->GetBody()->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
                    body->GetBody()->SetAngularVelocity(0.0f);
                }
            }
        }
    }

    if (ForSaleItemsBhv* forSale = WellKnown<ForSaleItemsBhv>::Get()) {
        forSale->UnlockedBits = game.UnlockedBits;
        size_t next = 0;
        if (forSale->Owner) {
            for (Component* component : forSale->Owner->Components) {
                auto* unlock = dynamic_cast<ItemUnlockComponent*>(component);
                if (unlock && next < game.UnlockCounts.size()) {
                    unlock->QuantityCurrent = game.UnlockCounts[next++];
                }
            }
        }
    }

    clearInventory();
    if (InventoryBhv* inventory = WellKnown<InventoryBhv>::Get()) {
        inventory->Health = game.Health;
        inventory->HealthMax = game.HealthMax;
        inventory->Money = game.Money;
        inventory->StorageMax = game.StorageMax;
        inventory->QuickslotCount = game.QuickslotCount;
        inventory->OwnedSubs = game.OwnedSubs;
    }
    if (WorldEventsBhv* worldEvents = WellKnown<WorldEventsBhv>::Get()) {
        worldEvents->bossDefeated = game.BossDefeated;
    }
    for (const SavedItem& item : game.Items) {
        // addItem builds whatever it is given: only items (and the names it handles itself) go in.
        if (!StartsWith(item.Name, "Item_") ||
            (!PrefabHas(item.Name, "ItemComponent") && !StartsWith(item.Name, "Item_Quickslot") &&
             !StartsWith(item.Name, "Item_Sub_"))) {
            warnings.Warn(item.Name, "item");
            continue;
        }
        addItem(item.Quantity, item.Name);
    }

    if (GameObject* sub = Submarine()) {
        if (B2BodyComponent* body = sub->Body()) {
            body->SetPosition(game.SubX, game.SubY);
        }
        if (SubBhv* subBhv = sub->GetComponentOfType<SubBhv>()) {
            subBhv->MovementForce = game.MovementForce;
        }
    }

    if (WorldEventsBhv* worldEvents = WellKnown<WorldEventsBhv>::Get()) {
        // Never paid twice: a game that had its reward keeps it, without a second nuke factory.
        worldEvents->SetRewardGiven(RewardEarned(game));
    }
    if (WorldMakerBhv* maker = WellKnown<WorldMakerBhv>::Get()) {
        maker->SpawnGatesAndApplyBossState();
    } else if (WorldEventsBhv* worldEvents = WellKnown<WorldEventsBhv>::Get()) {
        worldEvents->ApplyBossState();
    }
    if (Events* events = Service<Events>::TryGet()) {
        events->Game->WorldLoaded.Raise();
    }
}
