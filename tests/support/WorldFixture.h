#pragma once

#include <sstream>
#include <string>

#include "SceneFixture.h"
#include "components/RegisterComponentsClasses.h"
#include "core/RegisterCoreClasses.h"
#include "core/WellKnown.h"
#include "physics/RegisterPhysicsClasses.h"
#include "world/RandomManager.h"
#include "world/RegisterWorldClasses.h"
#include "world/TileGrid.h"
#include "world/tiles/TileTypeBhv.h"
#include "world/tiles/TileTypeTable.h"

// The scene fixture with the world's services: a seeded random source, an empty tile grid, a
// tile-type table (solid: every code the generator writes but urchins and chests) and the engine
// and world classes registered with the prefab manager. AddPrefab reads a prefab from JSON text.
class WorldFixture : public SceneFixture {
protected:
    WorldFixture() {
        RegisterCoreClasses(prefabs.Registry);
        RegisterPhysicsClasses(prefabs.Registry);
        RegisterComponentsClasses(prefabs.Registry);
        RegisterWorldClasses(prefabs.Registry);
        RegisterPrefabClasses(prefabs.Registry);
        prefabs.Registry.BuildPrototypes();
        AddPrefab("ThingGridCell", R"({"Components": {"ThingGridCellBhv": ""}, "AutoCreate": ""})");
        AddPrefab("SceneryCollisionBlock",
                  R"({"Components": {"SceneryCollisionBlockBhv": ""}, "AutoCreate": ""})");
        AddPrefab("TileSprite",
                  R"({"Components": {"Pos2dComponent": "", "SpriteComponent": "", "TileSpriteBhv": ""},
                                     "AutoCreate": ""})");
        for (int code = 1; code <= 13; ++code) {
            auto* object = new GameObject();
            auto* type = new TileTypeBhv();
            type->TileIndex = code;
            type->IsSolid = code != 5 && code != 10;
            object->AddComponent(type);
            tileTypes.AppendChild(object);
            table.Put(code, type);
        }
    }

    // Objects still queued for deletion go while the tree they hang in exists, and the tree goes
    // while the world services its objects reach still live.
    ~WorldFixture() override {
        queues.Flush();
        ClearTree();
    }

    void AddPrefab(const std::string& name, const std::string& json) {
        std::istringstream in(json);
        prefabs.Prefabs[name] = prefabs.ReadPrefab(name, in, name + ".json");
    }

    // A thing with a dynamic body of a 0.2 x 0.2 box (pickups and the like).
    void AddBodyThing(const std::string& name) {
        AddPrefab(name, R"({"Components": {"ThingComponent": "", "B2BodyComponent": {"Type": "2"},
                            "B2FixtureComponent": {"Shape": "Box 0.1 0.1"}}, "AutoCreate": ""})");
    }
    void AddPlainThing(const std::string& name) {
        AddPrefab(name, R"({"Components": {"ThingComponent": ""}, "AutoCreate": ""})");
    }

    RandomManager random{7};
    TileGrid grid;
    Service<RandomManager>::Scoped randomScope{random};
    Service<TileGrid>::Scoped gridScope{grid};
    TileTypeTable table;
    WellKnown<TileTypeTable>::Override tableScope{&table};
    GameObject tileTypes; // owns the default tile types; destroyed before the table goes
};
