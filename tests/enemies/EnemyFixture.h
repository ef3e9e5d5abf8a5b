#pragma once

#include <string>
#include <vector>

#include "CountThings.h"
#include "WorldFixture.h"
#include "audio/CueManagerBhv.h"
#include "audio/RegisterAudioClasses.h"
#include "enemies/RegisterEnemiesClasses.h"
#include "enemies/damage/EnemyDamageHandlers.h"
#include "flow/RegisterFlowClasses.h"
#include "player/RegisterPlayerClasses.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/things/ThingRootBhv.h"

// Records the name of every cue played: the test's cue prefabs carry it instead of a sound.
class CueRecorderBhv : public Behavior {
public:
    static constexpr const char* ClassName = "CueRecorderBhv";
    static inline std::vector<std::string>* Log = nullptr;
    void Start() override {
        if (Log && Owner) {
            Log->push_back(Owner->PrefabName.substr(4));
        }
        if (Owner) {
            Owner->DestroyLater();
        }
    }
};

// The world fixture with the enemy classes, a started thing grid and a cue manager whose cues
// are recorded in `cues` by name.
class EnemyFixture : public WorldFixture {
protected:
    EnemyFixture() {
        RegisterAudioClasses(prefabs.Registry);
        RegisterPlayerClasses(prefabs.Registry);
        RegisterEnemiesClasses(prefabs.Registry);
        RegisterFlowClasses(prefabs.Registry);
        prefabs.Registry.Register<CueRecorderBhv>();
        prefabs.Registry.BuildPrototypes();
        CueRecorderBhv::Log = &cues;
        for (const char* cue :
             {"ChestOpen", "EnemyDie", "EnemyDamage", "DamageDeflected", "MantisWindup", "MantisShot",
              "EnemyPreCharge", "EnemyCharge", "BossGateOpen", "BossGateClose", "Fanfare"}) {
            AddPrefab(std::string("Cue_") + cue,
                      R"({"Components": {"CueRecorderBhv": ""}, "AutoCreate": ""})");
        }
        AddPrefab("ThingsIncoming", R"({"Components": "", "AutoCreate": ""})");
        auto* cueObject = new GameObject();
        cueManager = new CueManagerBhv();
        cueObject->AddComponent(cueManager);
        root.AppendChild(cueObject);
        cueManager->Start();

        things = new GameObject();
        things->AppendChild(new GameObject("ThingsIncoming"));
        thingRoot = new ThingRootBhv();
        things->AddComponent(thingRoot);
        root.AppendChild(things);
        thingRoot->SpawnInterval = 1e9f;
        thingRoot->Start();
    }
    ~EnemyFixture() override { CueRecorderBhv::Log = nullptr; }

    // The player's tools reach a creature's damage handler as in the game.
    EnemyDamageHandlers damage;
    Service<EnemyDamageSender>::Scoped damageScope{damage};

    int CountThings(const std::string& prefab) const { return ::CountThings(*thingRoot, prefab); }
    int CountCues(const std::string& name) const {
        return static_cast<int>(std::count(cues.begin(), cues.end(), name));
    }

    std::vector<std::string> cues;
    CueManagerBhv* cueManager = nullptr;
    GameObject* things = nullptr;
    ThingRootBhv* thingRoot = nullptr;
};
