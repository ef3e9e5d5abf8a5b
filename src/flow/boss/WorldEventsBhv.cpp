#include "flow/boss/WorldEventsBhv.h"

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "enemies/Submarine.h"
#include "enemies/boss/BossGateBhv.h"
#include "events/BossEvents.h"
#include "events/Events.h"
#include "events/PlayerEvents.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "player/sub/SubBhv.h"
#include "render/GraphicsManager.h"
#include "world/generation/WorldMakerBhv.h"
#include "world/things/ThingRootBhv.h"

WorldEventsBhv::~WorldEventsBhv() {
    if (Events* events = Service<Events>::TryGet()) {
        events->Boss->BossDefeated.Unsubscribe(this);
    }
    WellKnown<WorldEventsBhv>::ClearIf(this);
}

void WorldEventsBhv::Start() {
    WellKnown<WorldEventsBhv>::Register(this);
    if (Events* events = Service<Events>::TryGet()) {
        events->Boss->BossDefeated.Subscribe(this, [this](BossEventArgs* args) { OnBossDefeated(args); });
    }
}

void WorldEventsBhv::Update() {
    if (bossDefeated) {
        if (upperGate) {
            upperGate->Open();
        }
        if (lowerGate) {
            lowerGate->Open();
        }
    } else if (Vector2 sub; SubmarinePosition(sub)) {
        FollowSubmarine(-sub.y);
    }
    GiveReward();
}

void WorldEventsBhv::FollowSubmarine(float depth) {
    const WorldMakerBhv* maker = WellKnown<WorldMakerBhv>::Get();
    if (!maker) {
        return;
    }
    const float bossStart = static_cast<float>(maker->B01BossStart);
    const float bossEnd = static_cast<float>(maker->B01BossEnd);
    Events* events = Service<Events>::TryGet();
    if (bossStart + 1.5f < depth && depth < bossEnd - 0.5f) {
        if (events) {
            events->Player->PlayerEnteredBossArea.Raise();
        }
        if (upperGate) {
            upperGate->Close();
        }
        if (!boss_) {
            if (ThingRootBhv* things = WellKnown<ThingRootBhv>::Get()) {
                boss_ = things->SpawnThing("En_MantisShrimp", {BossSpawnX, BossSpawnY});
            }
        }
    } else if (depth < bossStart - 1.0f || depth > bossEnd + 2.0f) {
        if (upperGate) {
            upperGate->Open();
        }
        if (boss_) {
            // The boss's BossCommonBhv hears this and removes it.
            boss_ = nullptr;
            if (events) {
                events->Player->PlayerLeftBossArea.Raise();
            }
        }
    }
}

void WorldEventsBhv::ApplyBossState() {
    // A new or loaded world has cleared its things, the boss among them.
    boss_ = nullptr;
    if (upperGate) {
        upperGate->isOpen = true;
        upperGate->Open();
    }
    if (bossDefeated) {
        if (lowerGate) {
            lowerGate->isOpen = true;
            lowerGate->Open();
        }
        if (!secondStation_) {
            SpawnSecondStation();
        }
    } else {
        if (lowerGate) {
            lowerGate->isOpen = false;
            lowerGate->Close();
        }
        if (secondStation_) {
            secondStation_->DestroyLater();
            secondStation_ = nullptr;
        }
    }
}

void WorldEventsBhv::OnBossDefeated(BossEventArgs* args) {
    if (!args || !args->Boss || args->Boss != boss_) {
        return;
    }
    bossDefeated = true;
    boss_ = nullptr;
    SpawnSecondStation();
}

void WorldEventsBhv::SpawnSecondStation() {
    if (ThingRootBhv* things = WellKnown<ThingRootBhv>::Get()) {
        secondStation_ = things->SpawnThing("SupplyStation", {StationX, StationY});
    }
}

void WorldEventsBhv::GiveReward() {
    InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (rewardGiven || !inventory || inventory->Money < RewardMoney) {
        return;
    }
    rewardGiven = true;
    if (GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
        graphics->ClearColor = Color(156, 62, 56, 255);
    }
    playCue("Fanfare");
    addItem(1, "Item_NukeFactory");
    inventory->StorageMax = 10000;
    // The nuke factory takes the first quick slot from whatever weapon held it.
    ItemComponent* nuke = findItem("Item_NukeFactory");
    if (ItemComponent* first = weaponInSlot(0); first && first != nuke) {
        first->QuickslotIndex = -1;
    }
    if (nuke) {
        nuke->QuickslotIndex = 0;
    }
    if (SubBhv* sub = WellKnown<SubBhv>::Get()) {
        sub->MagnetRadius = 15.0f;
        sub->MagnetForce = 40.0f;
    }
}
