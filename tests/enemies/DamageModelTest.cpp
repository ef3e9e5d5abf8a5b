#include <gtest/gtest.h>

#include <box2d/b2_body.h>

#include "EnemyFixture.h"
#include "enemies/damage/EnStandardDamageBhv.h"
#include "enemies/damage/EnemyComponent.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"
#include "player/EnemyLink.h"

namespace {

class DamageModelTest : public EnemyFixture {
protected:
    DamageModelTest() {
        const std::string enemy = R"({"Components": {"ThingComponent": "", "B2BodyComponent": {"Type": "0"},
            "B2FixtureComponent": {"Shape": "Box 0.5 0.5"},
            "EnemyComponent": {"HealthStart": "3", "HasTileType": "HASTILE"}, "EnStandardDamageBhv": "",
            "RandomDropBhv": {"NoDropWeight": "0", "Drop1Name": "Loot", "Drop1Weight": "1"}},
            "AutoCreate": ""})";
        auto make = [&](const std::string& name, const char* hasTile) {
            std::string text = enemy;
            text.replace(text.find("HASTILE"), 7, hasTile);
            AddPrefab(name, text);
        };
        make("En_Shrimp", "false");
        make("En_SeaUrchin", "true");
        make("En_Chest", "true");
        AddPlainThing("Loot");
    }

    static void Hit(GameObject* enemy, int damage) {
        EnemyDamageInfo info{damage, enemy->GetComponentOfType<B2FixtureComponent>()};
        ASSERT_TRUE(enemy->Enemy()->damageHandler);
        enemy->Enemy()->damageHandler(info);
    }
};

TEST_F(DamageModelTest, DamageEqualToHealthKillsOnceAndLesserDamageBlinks) {
    GameObject* shrimp = thingRoot->SpawnThing("En_Shrimp", {10.5f, -10.5f});
    ASSERT_NE(shrimp, nullptr);
    EXPECT_EQ(shrimp->Enemy()->Health, 3);

    Hit(shrimp, 1);
    EXPECT_EQ(shrimp->Enemy()->Health, 2);
    EXPECT_FALSE(shrimp->PendingDestroy);
    EXPECT_EQ(cues, std::vector<std::string>{"EnemyDamage"});
    EXPECT_FALSE(shrimp->DrawEnabled);
    RunFrames(2);
    EXPECT_TRUE(shrimp->DrawEnabled); // blinking: two frames off, two on
    RunFrames(12);
    EXPECT_TRUE(shrimp->DrawEnabled); // the hurt flash is over and leaves it shown

    Hit(shrimp, 2);
    EXPECT_TRUE(shrimp->PendingDestroy);
    EXPECT_EQ(CountCues("EnemyDie"), 1);
    EXPECT_EQ(CountThings("Loot"), 1);
    // A later hit in the same frame finds a dead enemy: no second cue and no second drop.
    Hit(shrimp, 5);
    EXPECT_EQ(CountCues("EnemyDie"), 1);
    EXPECT_EQ(CountThings("Loot"), 1);
    RunFrame();
    EXPECT_EQ(CountThings("En_Shrimp"), 0);
}

TEST_F(DamageModelTest, AChestFreesItsFourCellsAndOpensAnUrchinFreesOne) {
    // A chest block at columns 20-21, rows 30-31 has its centre at (21, -31).
    for (int c = 19; c <= 22; ++c) {
        for (int r = 29; r <= 32; ++r) {
            grid.Set(c, r, 2);
        }
    }
    grid.Set(20, 30, 10);
    grid.Set(21, 30, 10);
    grid.Set(20, 31, 10);
    grid.Set(21, 31, 10);
    GameObject* chest = thingRoot->SpawnThing("En_Chest", {21.0f, -31.0f});
    Hit(chest, 3);
    EXPECT_EQ(cues, std::vector<std::string>{"ChestOpen"});
    int freed = 0;
    for (int c = 19; c <= 22; ++c) {
        for (int r = 29; r <= 32; ++r) {
            freed += grid.Get(c, r) == 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(freed, 4);
    EXPECT_EQ(grid.Get(20, 30) | grid.Get(21, 30) | grid.Get(20, 31) | grid.Get(21, 31), 0);

    grid.Set(40, 50, 5);
    GameObject* urchin = thingRoot->SpawnThing("En_SeaUrchin", TileGrid::CellCentre(40, 50));
    Hit(urchin, 7);
    EXPECT_EQ(grid.Get(40, 50), 0);
    EXPECT_EQ(CountCues("EnemyDie"), 1);
}

TEST_F(DamageModelTest, PickupsPassThroughEnemiesAndOtherBodiesDoNot) {
    AddBodyThing("Pkup_Money1");
    AddBodyThing("Old_Pkup_Heart");
    AddBodyThing("Stone");
    thingRoot->SpawnThing("En_Shrimp", {10.0f, -20.0f});
    GameObject* money = thingRoot->SpawnThing("Pkup_Money1", {10.0f, -18.0f});
    GameObject* heart = thingRoot->SpawnThing("Old_Pkup_Heart", {10.2f, -18.0f});
    GameObject* stone = thingRoot->SpawnThing("Stone", {9.8f, -18.0f});
    RunFrames(90);
    EXPECT_LT(money->GetPosition().y, -22.0f);
    EXPECT_LT(heart->GetPosition().y, -22.0f);
    EXPECT_GT(stone->GetPosition().y, -19.6f); // resting on the shrimp's box
}

TEST_F(DamageModelTest, ReleaseLetsGoOnlyOfAnEnemyHeldByItsTile) {
    grid.Set(40, 50, 5);
    GameObject* shrimp = thingRoot->SpawnThing("En_Shrimp", TileGrid::CellCentre(40, 50));
    shrimp->Enemy()->ReleaseFromTile();
    EXPECT_EQ(grid.Get(40, 50), 5);
    EXPECT_EQ(shrimp->Body()->GetBody()->GetType(), b2_staticBody);

    GameObject* urchin = thingRoot->SpawnThing("En_SeaUrchin", TileGrid::CellCentre(40, 50));
    urchin->Enemy()->ReleaseFromTile();
    EXPECT_EQ(grid.Get(40, 50), 0);
    EXPECT_FALSE(urchin->Enemy()->HasTileType);
    b2Body* body = urchin->Body()->GetBody();
    EXPECT_EQ(body->GetType(), b2_dynamicBody);
    EXPECT_NEAR(body->GetLinearVelocity().Length(), 3.0f, 1e-4f);
    EXPECT_GT(body->GetMass(), 0.0f);
}

TEST_F(DamageModelTest, TheToolsReachTheHandlerAndBreakingTheFloorLetsAnUrchinGo) {
    for (int c = 39; c <= 41; ++c) {
        grid.Set(c, 51, 2);
    }
    grid.Set(40, 50, 5);
    GameObject* urchin = thingRoot->SpawnThing("En_SeaUrchin", TileGrid::CellCentre(40, 50));
    Component* enemy = FindEnemy(*urchin);
    ASSERT_EQ(enemy, urchin->Enemy());
    EXPECT_TRUE(DamageEnemy(*enemy, 1, urchin->GetComponentOfType<B2FixtureComponent>()));
    EXPECT_EQ(urchin->Enemy()->Health, 2);
    EXPECT_EQ(ReadEnemyValues(*enemy).Hardness, 5);

    // Breaking the tile beside it changes nothing; breaking the one under it sets it free.
    table.Get(2)->DestroyTile(41, 51);
    EXPECT_EQ(urchin->Body()->GetBody()->GetType(), b2_staticBody);
    table.Get(2)->DestroyTile(40, 51);
    EXPECT_EQ(urchin->Body()->GetBody()->GetType(), b2_dynamicBody);
    EXPECT_EQ(grid.Get(40, 50), 0);
}

} // namespace
