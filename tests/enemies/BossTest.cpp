#include <gtest/gtest.h>

#include <box2d/b2_body.h>

#include "EnemyFixture.h"
#include "components/TintComponent.h"
#include "core/WellKnown.h"
#include "enemies/boss/BossGateBhv.h"
#include "enemies/boss/En_MantisShrimpBhv.h"
#include "enemies/damage/EnemyComponent.h"
#include "events/BossEvents.h"
#include "events/Events.h"
#include "events/PlayerEvents.h"
#include "flow/boss/WorldEventsBhv.h"
#include "flow/stations/SupplyStationBhv.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "player/sub/SubBhv.h"
#include "world/generation/WorldMakerBhv.h"
#include "world/things/ThingComponent.h"

namespace {

class BossTest : public EnemyFixture {
protected:
    BossTest() {
        AddPrefab("En_MantisShrimp", R"({"Components": {"ThingComponent": "",
            "B2BodyComponent": {"Type": "2", "GravityScale": "0"},
            "B2FixtureComponent": {"Shape": "Box 1 1"}, "B2FixtureComponent": {"Shape": "Box 0.5 0.5"},
            "SpriteComponent": "", "TintComponent": "", "EnemyComponent": {"HealthStart": "10"},
            "BossCommonBhv": "",
            "En_MantisShrimpBhv": {"SeekTime": "1", "WindUpTime": "1", "PostShootTime": "1",
                "Projectile01": {"X": "-1", "Y": "0"}, "Projectile02": {"X": "-2", "Y": "2"},
                "Projectile03": {"X": "0", "Y": "-3"}, "Projectile04": {"X": "-1", "Y": "0.5"},
                "Projectile05": {"X": "0", "Y": "0"},
                "ProjectileOffset": {"X": "-2", "Y": "0.5"}, "ProjectileVelocity": "4"}},
            "AutoCreate": ""})");
        AddPrefab("En_BallProjectile", R"({"Components": {"ThingComponent": "",
            "B2BodyComponent": {"Type": "2", "GravityScale": "0"},
            "B2FixtureComponent": {"Shape": "Circle 0.1", "IsSensor": "true"},
            "EnemyComponent": "", "En_ProjectileBhv": ""}, "AutoCreate": ""})");
        AddPrefab("BossGate", R"({"Components": {"ThingComponent": "", "B2BodyComponent": {"Type": "0"},
            "B2FixtureComponent": {"Shape": "Box 4 0.5", "IsSensor": "true"},
            "B2FixtureComponent": {"Shape": "Box 4 0.5"}, "SpriteComponent": "", "BossGateBhv": ""},
            "AutoCreate": ""})");
        AddPlainThing("SupplyStation");
    }

    GameObject* SpawnMantis() {
        mantis = thingRoot->SpawnThing("En_MantisShrimp", {50.0f, -50.0f});
        behaviour = mantis->GetComponentOfType<En_MantisShrimpBhv>();
        return mantis;
    }
    void Hit(int damage, int fixture) {
        EnemyDamageInfo info{damage, mantis->GetComponentOfType<B2FixtureComponent>(fixture)};
        mantis->Enemy()->damageHandler(info);
    }
    // The projectiles' velocities, in the order of their spawning.
    std::vector<b2Vec2> Volley() {
        std::vector<b2Vec2> result;
        for (ThingGridCellBhv* cell : thingRoot->Cells()) {
            for (GameObject* child : cell->Owner->Children) {
                if (child->PrefabName == "En_BallProjectile" && !child->PendingDestroy) {
                    result.push_back(child->Body()->GetBody()->GetLinearVelocity());
                    spawnPoints.push_back(child->GetPosition());
                }
            }
        }
        return result;
    }

    // A frame without the flush, so a projectile queued for deletion can still be looked at.
    void RunPhysicsAndUpdate() {
        time.TotalTime += time.FrameDelta;
        BodyActivityPass(root, true);
        StepPhysics(*world, time.FrameDelta, 60);
        UpdatePass(root);
    }

    Events events;
    Service<Events>::Scoped eventsScope{events};
    GameObject* mantis = nullptr;
    En_MantisShrimpBhv* behaviour = nullptr;
    std::vector<Vector2> spawnPoints;
};

TEST_F(BossTest, TheMantisDeflectsWhileSeekingAndOnItsSecondFixture) {
    SpawnMantis();
    ASSERT_TRUE(behaviour->IsSeeking());
    Hit(3, 0);
    EXPECT_EQ(mantis->Enemy()->Health, 10);
    EXPECT_EQ(CountCues("DamageDeflected"), 1);

    RunFrames(61); // into the wind-up
    ASSERT_TRUE(behaviour->IsCharged());
    Hit(3, 1);
    EXPECT_EQ(mantis->Enemy()->Health, 10);
    EXPECT_EQ(CountCues("DamageDeflected"), 2);
    Hit(3, 0);
    EXPECT_EQ(mantis->Enemy()->Health, 7);
    EXPECT_EQ(mantis->Tint()->Tint, Color(255, 68, 68, 255));
    RunFrames(12);
    EXPECT_EQ(mantis->Tint()->Tint, Color::White());

    int defeats = 0;
    events.Boss->BossDefeated.Subscribe(
        this, [&](BossEventArgs* args) { defeats += args->Boss == mantis ? 1 : 0; });
    Hit(7, 0);
    Hit(7, 0); // a dead mantis is not defeated twice
    EXPECT_EQ(defeats, 1);
    EXPECT_TRUE(mantis->PendingDestroy);
    events.Boss->BossDefeated.Unsubscribe(this);
}

TEST_F(BossTest, AMantisFacingRightFiresTheMirrorImageOfTheLeftVolley) {
    SpawnMantis();
    behaviour->Fire();
    const std::vector<b2Vec2> left = Volley();
    const std::vector<Vector2> leftPoints = spawnPoints;
    ASSERT_EQ(left.size(), 5u);
    EXPECT_NEAR(left[0].x, -4.0f, 1e-5f);
    EXPECT_NEAR(left[1].x, -2.828427f, 1e-4f);
    EXPECT_NEAR(left[1].y, 2.828427f, 1e-4f);
    EXPECT_NEAR(left[2].y, -4.0f, 1e-5f);
    EXPECT_EQ(left[4], b2Vec2(0.0f, 0.0f));
    EXPECT_NEAR(leftPoints[0].x, 48.0f, 1e-5f);
    EXPECT_NEAR(leftPoints[0].y, -49.5f, 1e-5f);
    for (ThingGridCellBhv* cell : thingRoot->Cells()) {
        for (GameObject* child : cell->Owner->Children) {
            if (child->PrefabName == "En_BallProjectile") {
                child->DestroyLater();
            }
        }
    }
    queues.Flush();
    spawnPoints.clear();

    // Moving right while seeking turns it to face right.
    mantis->Body()->GetBody()->SetLinearVelocity(b2Vec2(1.0f, 0.0f));
    RunFrame();
    ASSERT_TRUE(behaviour->IsFacingRight());
    behaviour->Fire();
    const std::vector<b2Vec2> right = Volley();
    ASSERT_EQ(right.size(), 5u);
    const Vector2 here = mantis->GetPosition();
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(right[i].x, -left[i].x, 1e-5f) << i;
        EXPECT_NEAR(right[i].y, left[i].y, 1e-5f) << i;
        EXPECT_NEAR(spawnPoints[i].x, here.x + 2.0f, 1e-4f) << i;
    }
}

TEST_F(BossTest, FiveZeroDirectionsGiveFiveRestingProjectilesAtTheSpawnPoint) {
    SpawnMantis();
    for (Vector2& direction : behaviour->Projectiles) {
        direction = {};
    }
    behaviour->Fire();
    const std::vector<b2Vec2> volley = Volley();
    ASSERT_EQ(volley.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(volley[i], b2Vec2(0.0f, 0.0f));
        EXPECT_NEAR(spawnPoints[i].x, 48.0f, 1e-5f);
        EXPECT_NEAR(spawnPoints[i].y, -49.5f, 1e-5f);
    }
}

TEST_F(BossTest, ProjectilesFlyThroughCreaturesAndPickupsAndVanishOnAnythingElse) {
    AddPrefab("Ball", R"({"Components": {"ThingComponent": "", "ThingPosUpdateBhv": "",
        "B2BodyComponent": {"Type": "2", "GravityScale": "0"}, "B2FixtureComponent": {"Shape": "Circle 0.2"},
        "EnemyComponent": "", "En_ProjectileBhv": ""}, "AutoCreate": ""})");
    AddPrefab("En_Rock", R"({"Components": {"ThingComponent": "", "B2BodyComponent": {"Type": "0"},
        "B2FixtureComponent": {"Shape": "Box 0.5 0.5"}}, "AutoCreate": ""})");
    AddPrefab("Old_Pkup_Money1", R"({"Components": {"ThingComponent": "", "B2BodyComponent": {"Type": "0"},
        "B2FixtureComponent": {"Shape": "Box 0.5 0.5"}}, "AutoCreate": ""})");
    AddPrefab("Wall", R"({"Components": {"ThingComponent": "", "B2BodyComponent": {"Type": "0"},
        "B2FixtureComponent": {"Shape": "Box 0.5 2"}}, "AutoCreate": ""})");
    thingRoot->SpawnThing("En_Rock", {12.0f, -10.0f});
    thingRoot->SpawnThing("Old_Pkup_Money1", {14.0f, -10.0f});
    thingRoot->SpawnThing("Wall", {18.0f, -10.0f});
    GameObject* ball = thingRoot->SpawnThing("Ball", {10.0f, -10.0f});
    ball->Body()->GetBody()->SetLinearVelocity(b2Vec2(6.0f, 0.0f));
    int frames = 0;
    while (!ball->PendingDestroy && frames < 120) {
        RunPhysicsAndUpdate();
        ++frames;
    }
    ASSERT_TRUE(ball->PendingDestroy);
    EXPECT_GT(ball->GetPosition().x, 16.5f); // through the creature and the pickup, stopped by the wall
    EXPECT_NEAR(ball->Body()->GetBody()->GetLinearVelocity().x, 6.0f, 1e-4f); // nothing bounced it
    queues.Flush();

    // Any damage ends it.
    GameObject* second = thingRoot->SpawnThing("Ball", {10.0f, -20.0f});
    EnemyDamageInfo info{0, nullptr};
    second->Enemy()->damageHandler(info);
    EXPECT_TRUE(second->PendingDestroy);
}

TEST_F(BossTest, GatesSoundOnlyWhenTheyChangeAndApplyBossStateIsSilent) {
    GameObject* gate = thingRoot->SpawnThing("BossGate", {75.0f, -205.5f});
    auto* bhv = gate->GetComponentOfType<BossGateBhv>();
    B2FixtureComponent* barrier = gate->GetComponentOfType<B2FixtureComponent>(1);
    EXPECT_TRUE(cues.empty());
    ASSERT_NE(barrier->fixture, nullptr);
    EXPECT_FALSE(barrier->fixture->IsSensor());
    bhv->Open();
    bhv->Open();
    EXPECT_TRUE(barrier->fixture->IsSensor());
    EXPECT_EQ(cues, std::vector<std::string>{"BossGateOpen"});
    bhv->Close();
    EXPECT_FALSE(barrier->fixture->IsSensor());
    EXPECT_EQ(CountCues("BossGateClose"), 1);

    GameObject* lower = thingRoot->SpawnThing("BossGate", {75.0f, -225.5f});
    auto* worldEventsObject = new GameObject();
    auto* worldEvents = new WorldEventsBhv();
    worldEventsObject->AddComponent(worldEvents);
    root.AppendChild(worldEventsObject);
    worldEvents->Start();
    worldEvents->upperGate = bhv;
    worldEvents->lowerGate = lower->GetComponentOfType<BossGateBhv>();
    cues.clear();
    worldEvents->bossDefeated = true;
    worldEvents->ApplyBossState();
    worldEvents->ApplyBossState();
    EXPECT_TRUE(cues.empty());
    EXPECT_TRUE(bhv->isOpen);
    EXPECT_TRUE(worldEvents->lowerGate->isOpen);
    EXPECT_EQ(CountThings("SupplyStation"), 1);
    // A world whose boss lives again removes the stale station and closes the lower gate.
    worldEvents->bossDefeated = false;
    worldEvents->ApplyBossState();
    EXPECT_TRUE(cues.empty());
    EXPECT_FALSE(worldEvents->lowerGate->isOpen);
    EXPECT_EQ(CountThings("SupplyStation"), 0);
}

TEST_F(BossTest, TheChamberBandsHaveHysteresisAndOneDefeatBringsOneStation) {
    auto* makerObject = new GameObject();
    auto* maker = new WorldMakerBhv();
    maker->B01BossStart = 205;
    maker->B01BossEnd = 225;
    makerObject->AddComponent(maker);
    root.AppendChild(makerObject);
    WellKnown<WorldMakerBhv>::Override makerScope(maker);
    auto* worldEventsObject = new GameObject();
    auto* worldEvents = new WorldEventsBhv();
    worldEventsObject->AddComponent(worldEvents);
    root.AppendChild(worldEventsObject);
    worldEvents->Start();
    worldEvents->upperGate =
        thingRoot->SpawnThing("BossGate", {75.0f, -205.5f})->GetComponentOfType<BossGateBhv>();
    worldEvents->lowerGate =
        thingRoot->SpawnThing("BossGate", {75.0f, -225.5f})->GetComponentOfType<BossGateBhv>();
    worldEvents->ApplyBossState();
    int entered = 0;
    int removed = 0;
    events.Player->PlayerEnteredBossArea.Subscribe(this, [&](void*) { ++entered; });
    events.Boss->BossRemoved.Subscribe(this, [&](BossEventArgs*) { ++removed; });

    worldEvents->FollowSubmarine(206.5f); // at the inner edge: not inside yet
    EXPECT_EQ(worldEvents->CurrentBoss(), nullptr);
    worldEvents->FollowSubmarine(206.6f);
    GameObject* boss = worldEvents->CurrentBoss();
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(boss->PrefabName, "En_MantisShrimp");
    EXPECT_EQ(boss->GetPosition(), Vector2(110.0f, -215.0f));
    EXPECT_FALSE(worldEvents->upperGate->isOpen);
    EXPECT_EQ(entered, 1);
    // Between the bands, above and below the chamber, nothing changes.
    for (float depth : {204.0f, 205.0f, 224.5f, 226.0f, 227.0f}) {
        worldEvents->FollowSubmarine(depth);
        EXPECT_EQ(worldEvents->CurrentBoss(), boss) << depth;
        EXPECT_FALSE(worldEvents->upperGate->isOpen) << depth;
    }
    worldEvents->FollowSubmarine(227.1f);
    EXPECT_EQ(worldEvents->CurrentBoss(), nullptr);
    EXPECT_TRUE(boss->PendingDestroy);
    EXPECT_EQ(removed, 1);
    EXPECT_TRUE(worldEvents->upperGate->isOpen);
    RunFrame();

    // Coming back brings a fresh boss at full health; its defeat is final.
    worldEvents->FollowSubmarine(215.0f);
    boss = worldEvents->CurrentBoss();
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(boss->Enemy()->Health, 10);
    BossEventArgs stranger{worldEventsObject};
    events.Boss->BossDefeated.Raise(&stranger);
    EXPECT_FALSE(worldEvents->bossDefeated);
    BossEventArgs args{boss};
    events.Boss->BossDefeated.Raise(&args);
    events.Boss->BossDefeated.Raise(&args);
    EXPECT_TRUE(worldEvents->bossDefeated);
    EXPECT_EQ(CountThings("SupplyStation"), 1);
    ASSERT_NE(worldEvents->SecondStation(), nullptr);
    EXPECT_EQ(worldEvents->SecondStation()->Thing()->Pos, Vector2(75.0f, -219.0f));
    worldEvents->Update();
    EXPECT_TRUE(worldEvents->upperGate->isOpen);
    EXPECT_TRUE(worldEvents->lowerGate->isOpen);
    events.Player->PlayerEnteredBossArea.Unsubscribe(this);
    events.Boss->BossRemoved.Unsubscribe(this);
}

TEST_F(BossTest, TheRewardIsPaidOnceTheFirstTimeMoneyReaches2816) {
    AddPrefab("Item_PlasticDrill",
              R"({"Components": {"ItemComponent": {"IsWeapon": "true"}}, "AutoCreate": ""})");
    AddPrefab("Item_NukeFactory",
              R"({"Components": {"ItemComponent": {"IsWeapon": "true"}}, "AutoCreate": ""})");
    auto* inventoryObject = new GameObject();
    auto* inventory = new InventoryBhv();
    inventoryObject->AddComponent(inventory);
    root.AppendChild(inventoryObject);
    WellKnown<InventoryBhv>::Override inventoryScope(inventory);
    auto* drillObject = new GameObject("Item_PlasticDrill");
    inventoryObject->AppendChild(drillObject);
    ItemComponent* drill = ItemOf(*drillObject);
    drill->QuickslotIndex = 0;
    auto* subObject = new GameObject();
    auto* sub = new SubBhv();
    subObject->AddComponent(sub);
    root.AppendChild(subObject);
    WellKnown<SubBhv>::Override subScope(sub);
    auto* worldEventsObject = new GameObject();
    auto* worldEvents = new WorldEventsBhv();
    worldEventsObject->AddComponent(worldEvents);
    root.AppendChild(worldEventsObject);
    worldEvents->Start();

    inventory->Money = 2815;
    worldEvents->Update();
    EXPECT_FALSE(worldEvents->rewardGiven);
    EXPECT_EQ(findItem("Item_NukeFactory"), nullptr);
    inventory->Money = 2816;
    worldEvents->Update();
    ASSERT_TRUE(worldEvents->rewardGiven);
    ItemComponent* nuke = findItem("Item_NukeFactory");
    ASSERT_NE(nuke, nullptr);
    EXPECT_EQ(nuke->QuickslotIndex, 0);
    EXPECT_EQ(drill->QuickslotIndex, -1);
    EXPECT_EQ(inventory->StorageMax, 10000);
    EXPECT_EQ(sub->MagnetRadius, 15.0f);
    EXPECT_EQ(sub->MagnetForce, 40.0f);
    EXPECT_EQ(CountCues("Fanfare"), 1);

    inventory->Money = 0;
    worldEvents->Update();
    inventory->Money = 5000;
    worldEvents->Update();
    EXPECT_EQ(CountCues("Fanfare"), 1);
    EXPECT_EQ(nuke->Quantity, 1);
}

TEST_F(BossTest, TwoTouchesWithinHalfASecondOpenTheStoreOnce) {
    AddPrefab("SupplyStation", R"({"Components": {"ThingComponent": "", "B2BodyComponent": {"Type": "0"},
        "B2FixtureComponent": {"Shape": "Box 2 1.5", "IsSensor": "true"},
        "B2FixtureComponent": {"Shape": "Box 2.5 2", "IsSensor": "true"}, "SupplyStationBhv": ""},
        "AutoCreate": ""})");
    AddBodyThing("Pebble");
    GameObject* station = thingRoot->SpawnThing("SupplyStation", {20.0f, -20.0f});
    auto* bhv = station->GetComponentOfType<SupplyStationBhv>();
    auto* subObject = new GameObject();
    subObject->AddComponent(new B2BodyComponent());
    auto* hull = new B2FixtureComponent();
    subObject->AddComponent(hull);
    auto* sub = new SubBhv();
    subObject->AddComponent(sub);
    root.AppendChild(subObject);
    subObject->Body()->GetBody()->SetType(b2_dynamicBody);
    hull->SetShapeText("Box 0.5 0.5");
    WellKnown<SubBhv>::Override subScope(sub);
    GameObject* pebble = thingRoot->SpawnThing("Pebble", {20.0f, -20.0f});
    ASSERT_NE(hull->fixture, nullptr);

    bhv->OnBeginContact(nullptr, pebble->GetComponentOfType<B2FixtureComponent>()->fixture);
    EXPECT_EQ(bhv->MenuRequests(), 0);
    bhv->OnBeginContact(nullptr, hull->fixture);
    RunFrames(20);
    bhv->OnBeginContact(nullptr, hull->fixture);
    EXPECT_EQ(bhv->MenuRequests(), 1);
    RunFrames(12);
    bhv->OnBeginContact(nullptr, hull->fixture);
    EXPECT_EQ(bhv->MenuRequests(), 2);
}

} // namespace
