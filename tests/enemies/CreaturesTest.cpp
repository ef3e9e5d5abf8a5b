#include <gtest/gtest.h>

#include <cmath>

#include <box2d/b2_body.h>

#include "EnemyFixture.h"
#include "components/SpriteComponent.h"
#include "components/TintComponent.h"
#include "enemies/creatures/ProximityAttackBhv.h"
#include "enemies/creatures/RandomDartBhv.h"
#include "enemies/creatures/ShakeBhv.h"
#include "physics/B2BodyComponent.h"

namespace {

class CreaturesTest : public EnemyFixture {
protected:
    CreaturesTest() {
        AddPrefab("Darter", R"({"Components": {"ThingComponent": "",
            "B2BodyComponent": {"Type": "2", "GravityScale": "0"}, "B2FixtureComponent": {"Shape": "Box 0.5 0.5"},
            "SpriteComponent": {"Size": {"X": "2", "Y": "1"}},
            "RandomDartBhv": {"ImpulseMin": "3", "ImpulseMax": "1", "DelayMin": "0.5", "DelayMax": "0.5"}},
            "AutoCreate": ""})");
        AddPrefab("Lunger", R"({"Components": {"ThingComponent": "", "ThingPosUpdateBhv": "",
            "B2BodyComponent": {"Type": "2", "GravityScale": "0"}, "B2FixtureComponent": {"Shape": "Box 0.5 0.5"},
            "SpriteComponent": "", "TintComponent": {"Tint": {"A": "255", "Rgb": "0a141e"}},
            "ProximityAttackBhv": {"AttackRange": "4", "AttackDelay": "0.5", "AttackForce": "2",
                                   "AttackCooldown": "1"},
            "RandomDartBhv": {"ImpulseMin": "1", "ImpulseMax": "1", "DelayMin": "0.2", "DelayMax": "0.2"}},
            "AutoCreate": ""})");
        AddPrefab("Shaker", R"({"Components": {"ThingComponent": "",
            "SpriteComponent": {"Origin": {"X": "1", "Y": "2"}},
            "ShakeBhv": {"ShakeDistance": "0.25", "ShakePeriod": "0.1"}}, "AutoCreate": ""})");
    }
};

TEST_F(CreaturesTest, AReversedImpulseRangeDartsWithTheMinimumAndTheSpriteFacesTheDart) {
    GameObject* darter = thingRoot->SpawnThing("Darter", {10.0f, -10.0f});
    b2Body* body = darter->Body()->GetBody();
    // Each dart adds an impulse of exactly 3 to a body of mass 1 at rest.
    for (int dart = 0; dart < 4; ++dart) {
        body->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
        RunFrames(30);
        const b2Vec2 v = body->GetLinearVelocity();
        EXPECT_NEAR(v.Length(), 3.0f / body->GetMass(), 1e-3f);
        EXPECT_EQ(darter->Sprite()->Size.x > 0.0f, v.x >= 0.0f);
        EXPECT_EQ(std::fabs(darter->Sprite()->Size.x), 2.0f);
    }
}

TEST_F(CreaturesTest, AnAttackKeepsItsFirstDirectionIgnoresLaterApproachesAndHoldsTheDarting) {
    GameObject* shrimp = thingRoot->SpawnThing("Lunger", {10.0f, -10.0f});
    auto* attack = shrimp->GetComponentOfType<ProximityAttackBhv>();
    b2Body* body = shrimp->Body()->GetBody();
    attack->ConsiderTarget({14.5f, -10.0f}); // out of range
    EXPECT_FALSE(attack->IsAttacking());
    attack->ConsiderTarget({12.0f, -10.0f});
    ASSERT_TRUE(attack->IsAttacking());
    EXPECT_EQ(shrimp->Tint()->Tint, Color(255, 178, 178, 255));
    attack->ConsiderTarget({10.0f, -8.0f}); // the submarine moves: the attack keeps its line
    EXPECT_EQ(attack->AttackDirection(), Vector2(1.0f, 0.0f));
    EXPECT_EQ(CountCues("EnemyPreCharge"), 1);

    body->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
    RunFrames(25); // the dart's pause has long run out, but the shrimp is winding up
    EXPECT_EQ(body->GetLinearVelocity(), b2Vec2(0.0f, 0.0f));
    RunFrames(10);
    EXPECT_NEAR(body->GetLinearVelocity().x, 2.0f / body->GetMass(), 1e-4f);
    EXPECT_NEAR(body->GetLinearVelocity().y, 0.0f, 1e-5f);
    EXPECT_EQ(shrimp->Tint()->Tint, Color(178, 178, 178, 255));
    EXPECT_EQ(CountCues("EnemyCharge"), 1);

    RunFrames(60);
    EXPECT_FALSE(attack->IsAttacking());
    EXPECT_EQ(shrimp->Tint()->Tint, Color(10, 20, 30, 255));
    body->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
    int frames = 0;
    while (body->GetLinearVelocity().LengthSquared() == 0.0f && frames < 24) {
        RunFrame();
        ++frames;
    }
    EXPECT_NEAR(body->GetLinearVelocity().Length(), 1.0f / body->GetMass(), 1e-4f); // darting again
}

TEST_F(CreaturesTest, ShakingMovesOnlyTheSpriteAroundItsRestOrigin) {
    GameObject* shaker = thingRoot->SpawnThing("Shaker", {10.0f, -10.0f});
    for (int i = 0; i < 20; ++i) {
        const Vector2 origin = shaker->Sprite()->Origin;
        EXPECT_NEAR(std::hypot(origin.x - 1.0f, origin.y - 2.0f), 0.25f, 1e-5f);
        RunFrame();
    }
}

} // namespace
