#include "flow/boss/WorldEventsBhv.h"

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "core/GraphicsManager.h"
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
#include "world/generation/WorldMakerBhv.h"
#include "world/things/ThingRootBhv.h"

WorldEventsBhv::~WorldEventsBhv() {
    if (Events* events = Service<Events>::TryGet()) {
        events->Boss->BossDefeated.Unsubscribe(this);
    }
    WellKnown<WorldEventsBhv>::ClearIf(this);
    WellKnown<BossGateKeeper>::ClearIf(this);
}

void WorldEventsBhv::Start() {
    WellKnown<WorldEventsBhv>::Register(this);
    WellKnown<BossGateKeeper>::Register(this);
    if (Events* events = Service<Events>::TryGet()) {
        events->Boss->BossDefeated.Subscribe(this, [this](BossEventArgs* args) { OnBossDefeated(args); });
    }
}

void WorldEventsBhv::TakeGates(GameObject* upper, GameObject* lower) {
    upperGate = upper ? upper->GetComponentOfType<BossGateBhv>() : nullptr;
    lowerGate = lower ? lower->GetComponentOfType<BossGateBhv>() : nullptr;
    ApplyBossState();
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
        if (!bossRecorded_) {
            if (ThingRootBhv* things = WellKnown<ThingRootBhv>::Get()) {
                boss_ = things->SpawnThing("En_MantisShrimp", {BossSpawnX, BossSpawnY});
                bossRecorded_ = boss_.Get() != nullptr;
            }
        }
    } else if (depth < bossStart - 1.0f || depth > bossEnd + 2.0f) {
        if (upperGate) {
            upperGate->Open();
        }
        if (bossRecorded_) {
            // The boss's BossCommonBhv hears this and removes it.
            boss_ = nullptr;
            bossRecorded_ = false;
            if (events) {
                events->Player->PlayerLeftBossArea.Raise();
            }
        }
    }
}

void WorldEventsBhv::ApplyBossState() {
    // A new or loaded world has cleared its things, the boss among them: a boss still recorded hears
    // that it is gone as if the player had left, so its meter and music end with it.
    if (bossRecorded_) {
        boss_ = nullptr;
        bossRecorded_ = false;
        if (Events* events = Service<Events>::TryGet()) {
            events->Player->PlayerLeftBossArea.Raise();
        }
    }
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
    if (!args || !args->Boss || args->Boss != boss_.Get()) {
        return;
    }
    bossDefeated = true;
    boss_ = nullptr;
    bossRecorded_ = false;
    SpawnSecondStation();
}

void WorldEventsBhv::SpawnSecondStation() {
    if (ThingRootBhv* things = WellKnown<ThingRootBhv>::Get()) {
        secondStation_ = things->SpawnThing("SupplyStation", {StationX, StationY});
    }
}

void WorldEventsBhv::StartNewGame() {
    bossDefeated = false;
    SetRewardGiven(false);
}

void WorldEventsBhv::SetRewardGiven(bool given) {
    if (given == rewardGiven) {
        return;
    }
    rewardGiven = given;
    if (given) {
        ApplyRewardEffects();
        return;
    }
    if (GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
        graphics->ClearColor = colourBeforeReward_;
    }
    if (SubBhv* sub = WellKnown<SubBhv>::Get()) {
        sub->MagnetRadius = magnetRadiusBeforeReward_;
        sub->MagnetForce = magnetForceBeforeReward_;
    }
}

void WorldEventsBhv::ApplyRewardEffects() {
    if (GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
        colourBeforeReward_ = graphics->ClearColor;
        graphics->ClearColor = Color(156, 62, 56, 255);
    }
    if (SubBhv* sub = WellKnown<SubBhv>::Get()) {
        magnetRadiusBeforeReward_ = sub->MagnetRadius;
        magnetForceBeforeReward_ = sub->MagnetForce;
        sub->MagnetRadius = 15.0f;
        sub->MagnetForce = 40.0f;
    }
}

void WorldEventsBhv::GiveReward() {
    InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    if (rewardGiven || !inventory || inventory->Money < RewardMoney) {
        return;
    }
    rewardGiven = true;
    ApplyRewardEffects();
    playCue("Fanfare");
    addItem(1, "Item_NukeFactory");
    inventory->StorageMax = RewardStorage;
    // The nuke factory takes the first quick slot from whatever weapon held it.
    ItemComponent* nuke = findItem("Item_NukeFactory");
    if (ItemComponent* first = weaponInSlot(0); first && first != nuke) {
        first->QuickslotIndex = -1;
    }
    if (nuke) {
        nuke->QuickslotIndex = 0;
    }
}
