#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include <box2d/b2_body.h>

#include "PlayerFixture.h"
#include "components/SpriteComponent.h"
#include "core/GraphicsManager.h"
#include "physics/B2FixtureComponent.h"
#include "player/pickups/Pkup_HeartBhv.h"
#include "player/sub/GameplayScreenBhv.h"

namespace {

class SubTest : public PlayerFixture {
protected:
    // The velocity one input pass and one physics step give from rest.
    b2Vec2 VelocityAfterInput() {
        Body()->SetLinearVelocity(b2Vec2(0, 0));
        subBhv->HandleInput();
        world->Step(time.FrameDelta, 8, 3);
        return Body()->GetLinearVelocity();
    }
    // The spin one righting push and one physics step give from rest at the angle.
    float SpinAfterRighting(float angle) {
        Body()->SetTransform(Body()->GetPosition(), angle);
        Body()->SetAngularVelocity(0.0f);
        subBhv->Update();
        world->Step(time.FrameDelta, 8, 3);
        return Body()->GetAngularVelocity();
    }
};

TEST_F(SubTest, OpposedAxesCancelAndADiagonalIsNotNormalised) {
    Hold(Key::D);
    const b2Vec2 one = VelocityAfterInput();
    EXPECT_GT(one.x, 0.0f);
    Hold(Key::W);
    EXPECT_NEAR(VelocityAfterInput().Length(), std::sqrt(2.0f) * one.Length(), 1e-4f);
    Hold(Key::A);
    const b2Vec2 cancelled = VelocityAfterInput();
    EXPECT_EQ(cancelled.x, 0.0f);
    EXPECT_NEAR(cancelled.y, one.x, 1e-4f);
    Hold(Key::W, false);
    EXPECT_EQ(VelocityAfterInput().Length(), 0.0f);
    // The boost multiplies the force.
    Hold(Key::A, false);
    subBhv->SpeedMultiplier = 3.0f;
    EXPECT_NEAR(VelocityAfterInput().x, 3.0f * one.x, 1e-4f);
    // A force no game reaches (a save or the editor may hold any float) pushes at the bound.
    subBhv->SpeedMultiplier = 1.0f;
    subBhv->MovementForce = SubBhv::MaxMovementForce;
    const b2Vec2 most = VelocityAfterInput();
    subBhv->MovementForce = 3e38f;
    EXPECT_EQ(VelocityAfterInput(), most);
}

TEST_F(SubTest, FacingKeepsItsSideInsideTheDeadBandAndMirrorsTheHull) {
    SpriteComponent* sprite = sub->Sprite();
    B2FixtureComponent* hull = sub->GetComponentOfType<B2FixtureComponent>();
    Body()->SetLinearVelocity(b2Vec2(-3.5f, 0));
    subBhv->Update();
    EXPECT_EQ(sprite->Size.x, -2.0f);
    EXPECT_TRUE(hull->isMirrored);
    Body()->SetLinearVelocity(b2Vec2(2.9f, 0));
    subBhv->Update();
    EXPECT_EQ(sprite->Size.x, -2.0f);
    Body()->SetLinearVelocity(b2Vec2(3.1f, 0));
    subBhv->Update();
    EXPECT_EQ(sprite->Size.x, 2.0f);
    EXPECT_FALSE(hull->isMirrored);
}

TEST_F(SubTest, RightingGrowsWithTheTiltAndAnyRollIsStoppedAtTheLimit) {
    const float small = SpinAfterRighting(0.1f);
    EXPECT_LT(small, 0.0f);
    EXPECT_NEAR(SpinAfterRighting(0.3f) / small, 3.0f, 0.01f);
    const float pi = std::numbers::pi_v<float>;
    for (const float roll : {pi / 2.0f, -2.0f * pi - 0.1f, 7.0f}) {
        const float spin = SpinAfterRighting(roll);
        EXPECT_NEAR(Body()->GetAngle(), std::copysign(SubBhv::MaxTilt, roll) + spin * time.FrameDelta, 1e-4f)
            << roll;
        EXPECT_NEAR(spin / small, std::copysign(SubBhv::MaxTilt, roll) / 0.1f, 0.01f) << roll;
    }
    // Spin back towards upright is kept; spin further over is taken.
    Body()->SetTransform(Body()->GetPosition(), 1.0f);
    Body()->SetAngularVelocity(-3.0f);
    subBhv->Update();
    EXPECT_EQ(Body()->GetAngularVelocity(), -3.0f);
    Body()->SetTransform(Body()->GetPosition(), 1.0f);
    Body()->SetAngularVelocity(3.0f);
    subBhv->Update();
    EXPECT_EQ(Body()->GetAngularVelocity(), 0.0f);
    EXPECT_FLOAT_EQ(Body()->GetAngle(), SubBhv::MaxTilt);
}

TEST_F(SubTest, TheCameraFollowsWithinTheWorld) {
    GraphicsManager graphics;
    Service<GraphicsManager>::Scoped graphicsScope(graphics);
    const auto cameraFor = [&](Vector2 p) {
        PlaceSub(p);
        subBhv->Update();
        return graphics.WorldCamera.Position;
    };
    EXPECT_EQ(cameraFor({10, -100}), (Vector2{30, -100}));
    EXPECT_EQ(cameraFor({140, -100}), (Vector2{120, -100}));
    EXPECT_EQ(cameraFor({75, -5}), (Vector2{75, -22.5f}));
    EXPECT_EQ(cameraFor({75, -429}), (Vector2{75, -407.5f}));
}

TEST_F(SubTest, ContactDamageZeroCollidesAndPassThroughLetsTheSubThroughAfterItsDamage) {
    AddPrefab(
        "En_Block",
        R"({"Components": {"B2BodyComponent": {"Type": "0"}, "B2FixtureComponent": {"Shape": "Box 3 0.5"},
                                             "TestEnemyComponent": ""}, "AutoCreate": ""})");
    auto* block = new GameObject("En_Block");
    root.AppendChild(block);
    auto* enemy = static_cast<TestEnemyComponent*>(block->GetSlot(ShortcutSlot::Enemy));
    const auto dropOnto = [&] {
        block->Body()->SetPosition(20, -30);
        PlaceSub({20, -28.9f});
        Body()->SetLinearVelocity(b2Vec2(0, -5));
        RunFrames(30);
        return Body()->GetPosition().y;
    };
    enemy->ContactDamage = 0;
    EXPECT_GT(dropOnto(), -29.6f);
    EXPECT_EQ(inventory->Health, 6);

    RunFrames(60);
    enemy->ContactDamage = 2;
    enemy->AllowPassThru = true;
    EXPECT_LT(dropOnto(), -31.0f);
    EXPECT_EQ(inventory->Health, 4);
    EXPECT_EQ(Played("SubDamage"), 1);
}

TEST_F(SubTest, DamageIsTakenOncePerWindowAndDeathAtZeroLeavesOneDrillAndTheMoney) {
    AddBodyThing("Pkup_Item");
    AddItem("Item_Copper");
    addItem(7, "Item_Copper");
    inventory->Money = 123;
    inventory->Health = 3;
    subBhv->takeDamage(1);
    subBhv->takeDamage(1);
    EXPECT_EQ(inventory->Health, 2);
    RunFrames(44); // 0.73 s: still in the window
    subBhv->takeDamage(1);
    EXPECT_EQ(inventory->Health, 2);
    RunFrames(2);
    EXPECT_TRUE(sub->DrawEnabled);
    subBhv->takeDamage(2);
    EXPECT_EQ(inventory->Health, 0);
    subBhv->takeDamage(2);
    EXPECT_EQ(inventory->Health, 0);

    RunFrames(3);
    EXPECT_EQ(Played("Death"), 1);
    EXPECT_FALSE(sub->UpdateEnabled);
    EXPECT_EQ(HeldObjects(), 0);
    EXPECT_EQ(inventory->StorageUsed, 0);
    EXPECT_EQ(CountThings("Pkup_Item"), 1); // the copper, not the drill
    RunFrames(4 * 60 + 30);
    EXPECT_TRUE(sub->UpdateEnabled && sub->InputEnabled);
    ASSERT_EQ(HeldObjects(), 1);
    EXPECT_EQ(inventoryObject->Children.back()->PrefabName, "Item_PlasticDrill");
    EXPECT_EQ(inventory->StorageUsed, 1);
    EXPECT_EQ(inventory->Money, 123);
    EXPECT_EQ(inventory->Health, inventory->HealthMax);
    EXPECT_NEAR(Body()->GetPosition().x, 9.5f, 0.1f);
    RunFrames(45); // the rest of the damage window, frozen while the hull was gone
    EXPECT_TRUE(sub->DrawEnabled);
}

TEST_F(SubTest, TheMagnetPullsPickupsItMayTakeAndSkipsOneAtItsCentre) {
    AddPickup("Pkup_Heart", R"("Pkup_HeartBhv": "")");
    GameObject* near = thingRoot->SpawnThing("Pkup_Heart", {9.5f + 2.0f, -15.0f});
    GameObject* centre = thingRoot->SpawnThing("Pkup_Heart", {9.5f, -15.0f});
    PlaceSub({9.5f, -15.0f});
    const auto velocity = [](GameObject* o) {
        return o->Body()->GetBody()->GetLinearVelocity();
    };

    subBhv->Update(); // full health: hearts stay where they are
    EXPECT_EQ(velocity(near).Length(), 0.0f);

    inventory->Health = 5;
    subBhv->Update();
    EXPECT_NEAR(velocity(near).x, -10.0f / 4.0f, 1e-5f);
    EXPECT_EQ(velocity(near).y, 0.0f);
    EXPECT_EQ(velocity(centre).Length(), 0.0f);
    EXPECT_TRUE(std::isfinite(velocity(centre).x));
}

TEST_F(SubTest, ASecondSubmarineReplacesTheFirstAndTheSpawnPointIsNearTheSurface) {
    EXPECT_EQ(WellKnown<SubBhv>::Get(), subBhv);
    EXPECT_EQ(Body()->GetPosition(), b2Vec2(9.5f, -15.0f));
    EXPECT_EQ(Body()->GetAngularVelocity(), 2.0f);
    auto* second = new GameObject("Sub_Test");
    subRootObject->AppendChild(second);
    EXPECT_TRUE(sub->PendingDestroy);
    EXPECT_EQ(Submarine(), second);
}

TEST_F(SubTest, TheGameplayScreenPublishesTheBackgroundColourAndOnlyItsOwnRegistrationIsCleared) {
    GraphicsManager graphics;
    Service<GraphicsManager>::Scoped graphicsScope(graphics);
    auto* first = new GameplayScreenBhv();
    GameObject* screen = Add("GameplayScreen", first);
    EXPECT_TRUE(first->SetPropertyText("BackgroundColor", 1, "102030"));
    EXPECT_EQ(graphics.ClearColor, (Color{0x10, 0x20, 0x30, 255}));
    graphics.ClearColor = Color{1, 2, 3, 255};
    EXPECT_EQ(first->GetPropertyText("BackgroundColor", 1), "010203");
    auto* second = new GameplayScreenBhv();
    Add("GameplayScreen", second);
    screen->DestroyLater();
    queues.Flush();
    EXPECT_EQ(WellKnown<GameplayScreenBhv>::Get(), second);
}

} // namespace
