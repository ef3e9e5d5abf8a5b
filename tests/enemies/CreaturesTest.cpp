#include <gtest/gtest.h>

#include <cmath>

#include <box2d/b2_body.h>

#include "EnemyFixture.h"
#include "components/SpriteComponent.h"
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

TEST_F(CreaturesTest, ShakingMovesOnlyTheSpriteAroundItsRestOrigin) {
    GameObject* shaker = thingRoot->SpawnThing("Shaker", {10.0f, -10.0f});
    for (int i = 0; i < 20; ++i) {
        const Vector2 origin = shaker->Sprite()->Origin;
        EXPECT_NEAR(std::hypot(origin.x - 1.0f, origin.y - 2.0f), 0.25f, 1e-5f);
        RunFrame();
    }
}

} // namespace
