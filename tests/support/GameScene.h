#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Scene.h"
#include "audio/RegisterAudioClasses.h"
#include "components/RegisterComponentsClasses.h"
#include "core/ContentError.h"
#include "core/RegisterCoreClasses.h"
#include "core/WellKnown.h"
#include "enemies/RegisterEnemiesClasses.h"
#include "enemies/damage/EnemyDamageHandlers.h"
#include "events/Events.h"
#include "flow/RegisterFlowClasses.h"
#include "physics/RegisterPhysicsClasses.h"
#include "player/RegisterPlayerClasses.h"
#include "world/RandomManager.h"
#include "world/RegisterWorldClasses.h"
#include "world/TileGrid.h"

// The game's own gameplay scene, headless: the real prefabs of content/Prefabs that need only the
// world, player and enemy classes (the HUD and menus stand in as empty objects), built under the scene's
// "GameplayRoot" in the order the real "GameplayRoot" prefab gives, with a seeded world.
struct GameScene : Scene {
    explicit GameScene(uint32_t seed = 7) : random(seed) {
        RegisterCoreClasses(prefabs.Registry);
        RegisterPhysicsClasses(prefabs.Registry);
        RegisterComponentsClasses(prefabs.Registry);
        RegisterAudioClasses(prefabs.Registry);
        RegisterWorldClasses(prefabs.Registry);
        RegisterPlayerClasses(prefabs.Registry);
        RegisterEnemiesClasses(prefabs.Registry);
        RegisterFlowClasses(prefabs.Registry);
        RegisterPrefabClasses(prefabs.Registry);
        prefabs.Registry.BuildPrototypes();
        const std::filesystem::path folder =
            std::filesystem::path(KELVANE_SOURCE_DIR) / "content" / "Prefabs";
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() != ".json") {
                continue;
            }
            const std::string name = entry.path().stem().string();
            std::ifstream in(entry.path());
            try {
                prefabs.Prefabs[name] = prefabs.ReadPrefab(name, in, entry.path().string());
            } catch (const ContentError&) {
                // The interface's and editor's prefabs: their classes are not in this scene.
            }
        }
        // What the interface adds (the HUD, the menus) stands in as empty objects.
        std::vector<std::string> missing;
        for (const auto& [name, prefab] : prefabs.Prefabs) {
            for (const auto& child : prefab->AutoCreates) {
                if (!prefabs.Contains(child->PrefabName)) {
                    missing.push_back(child->PrefabName);
                }
            }
        }
        for (const std::string& name : missing) {
            Add(name, R"({"Components": "", "AutoCreate": ""})");
        }
        for (const auto& child : prefabs.Find("GameplayRoot")->AutoCreates) {
            auto* object = new GameObject(child->PrefabName);
            object->Name = child->Name;
            root.AppendChild(object);
        }
    }
    ~GameScene() { ClearTree(); }

    void Add(const std::string& name, const std::string& json) {
        std::istringstream in(json);
        prefabs.Prefabs[name] = prefabs.ReadPrefab(name, in, name + ".json");
    }

    Events events;
    Service<Events>::Scoped eventsScope{events};
    RandomManager random;
    Service<RandomManager>::Scoped randomScope{random};
    TileGrid grid;
    Service<TileGrid>::Scoped gridScope{grid};
    EnemyDamageHandlers damage;
    Service<EnemyDamageSender>::Scoped damageScope{damage};
};
