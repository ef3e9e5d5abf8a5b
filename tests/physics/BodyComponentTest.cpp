// The body component: its lazily made body, the properties that read and write the live body, the
// object position through the Body slot, and body activity following UpdateEnabled.
#include "PhysicsFixture.h"

#include "core/ObjectPasses.h"
#include "core/Pos2dComponent.h"

namespace {

using BodyComponentTest = PhysicsTest;

TEST_F(BodyComponentTest, BodyIsMadeOnFirstUseFromTheDefaultDefinition) {
    B2BodyComponent component;
    EXPECT_FALSE(component.HasBody());
    EXPECT_EQ(world->GetBodyCount(), 0);
    EXPECT_EQ(component.GetPropertyText("Type"), "0");
    ASSERT_TRUE(component.HasBody());
    EXPECT_EQ(world->GetBodyCount(), 1);
    b2Body* body = component.GetBody();
    EXPECT_EQ(body->GetPosition(), b2Vec2(0.0f, 0.0f));
    EXPECT_EQ(body->GetAngle(), 0.0f);
    EXPECT_TRUE(body->IsEnabled());
    EXPECT_TRUE(body->IsSleepingAllowed());
    EXPECT_FALSE(body->IsFixedRotation());
    EXPECT_FALSE(body->IsBullet());
    EXPECT_EQ(body->GetGravityScale(), 1.0f);
    EXPECT_EQ(body->GetUserData().pointer, 0u);
    EXPECT_EQ(component.GetBody(), body); // made once
}

TEST_F(BodyComponentTest, DestroyingTheComponentDestroysTheBody) {
    auto* component = new B2BodyComponent;
    component->GetBody();
    EXPECT_EQ(world->GetBodyCount(), 1);
    delete component;
    EXPECT_EQ(world->GetBodyCount(), 0);
}

TEST_F(BodyComponentTest, PosAndAngleEachKeepTheOther) {
    B2BodyComponent component;
    component.SetPropertyText("Angle", 0, "0.5");
    component.SetPropertyText("Pos", 0, "3");
    component.SetPropertyText("Pos", 1, "-4");
    EXPECT_EQ(component.GetBody()->GetPosition(), b2Vec2(3.0f, -4.0f));
    EXPECT_EQ(component.GetBody()->GetAngle(), 0.5f);
    component.SetPropertyText("Angle", 0, "1");
    EXPECT_EQ(component.GetPosition(), Vector2(3.0f, -4.0f));
    component.SetPosition(7.0f, 8.0f);
    EXPECT_EQ(component.GetPropertyText("Angle"), "1");
    EXPECT_EQ(component.GetPropertyText("Pos", 0), "7");
    EXPECT_EQ(component.GetPropertyText("Pos", 1), "8");
}

TEST_F(BodyComponentTest, TypeTakesTheThreeBodyKindsOnly) {
    B2BodyComponent component;
    component.SetPropertyText("Type", 0, "2");
    EXPECT_EQ(component.GetBody()->GetType(), b2_dynamicBody);
    component.SetPropertyText("Type", 0, "1");
    EXPECT_EQ(component.GetBody()->GetType(), b2_kinematicBody);
    component.SetPropertyText("Type", 0, "3");
    component.SetPropertyText("Type", 0, "-1");
    EXPECT_EQ(component.GetPropertyText("Type"), "1");
}

TEST_F(BodyComponentTest, PuttingToSleepStopsTheBody) {
    auto object = MakeBodyObject(b2_dynamicBody, 0, 0, "Box 0.5 0.5");
    b2Body* body = object->Body()->GetBody();
    body->SetLinearVelocity(b2Vec2(3.0f, 1.0f));
    body->SetAngularVelocity(2.0f);
    body->ApplyForceToCenter(b2Vec2(10.0f, 0.0f), true);
    EXPECT_EQ(object->Body()->GetPropertyText("IsAwake"), "true");
    object->Body()->SetPropertyText("IsAwake", 0, "false");
    EXPECT_FALSE(body->IsAwake());
    EXPECT_EQ(body->GetLinearVelocity(), b2Vec2(0.0f, 0.0f));
    EXPECT_EQ(body->GetAngularVelocity(), 0.0f);
    object->Body()->SetPropertyText("IsAwake", 0, "true");
    Step();
    // Gravity alone acted: the force was cleared by the sleep.
    EXPECT_EQ(body->GetLinearVelocity().x, 0.0f);
}

TEST_F(BodyComponentTest, FixedRotationRecomputesTheMass) {
    auto object = MakeBodyObject(b2_dynamicBody, 0, 0, "Box 1 1");
    b2Body* body = object->Body()->GetBody();
    EXPECT_GT(body->GetInertia(), 0.0f);
    object->Body()->SetPropertyText("IsFixedRotation", 0, "true");
    EXPECT_TRUE(body->IsFixedRotation());
    EXPECT_EQ(body->GetInertia(), 0.0f);
    object->Body()->SetPropertyText("IsFixedRotation", 0, "false");
    EXPECT_GT(body->GetInertia(), 0.0f);
}

TEST_F(BodyComponentTest, ScalarPropertiesWriteTheLiveBody) {
    B2BodyComponent component;
    component.SetPropertyText("LinearDamping", 0, "0.25");
    component.SetPropertyText("AngularDamping", 0, "0.75");
    component.SetPropertyText("IsBullet", 0, "true");
    component.SetPropertyText("GravityScale", 0, "-2");
    b2Body* body = component.GetBody();
    EXPECT_EQ(body->GetLinearDamping(), 0.25f);
    EXPECT_EQ(body->GetAngularDamping(), 0.75f);
    EXPECT_TRUE(body->IsBullet());
    EXPECT_EQ(body->GetGravityScale(), -2.0f);
    body->SetGravityScale(0.5f);
    EXPECT_EQ(component.GetPropertyText("GravityScale"), "0.5"); // read live, never a copy
}

TEST_F(BodyComponentTest, ObjectPositionComesFromTheBodyUnlessThereIsAPos2d) {
    GameObject object;
    auto* body = new B2BodyComponent;
    object.AddComponent(body);
    EXPECT_EQ(object.Body(), body);
    body->SetPosition(2.0f, -3.0f);
    EXPECT_EQ(object.GetPosition(), Vector2(2.0f, -3.0f));
    auto* pos = new Pos2dComponent;
    pos->Pos = {9.0f, 9.0f};
    object.AddComponent(pos);
    EXPECT_EQ(object.GetPosition(), Vector2(9.0f, 9.0f));
}

TEST_F(BodyComponentTest, DynamicBodyFallsUnderGravity) {
    auto object = MakeBodyObject(b2_dynamicBody, 0, 10, "Circle 0.5");
    Step(60);
    EXPECT_LT(object->GetPosition().y, 6.0f);
    EXPECT_NEAR(object->Body()->GetBody()->GetLinearVelocity().y, -10.0f, 0.01f);
}

TEST_F(BodyComponentTest, StepIsCappedAtTwoFramePeriods) {
    auto slow = MakeBodyObject(b2_dynamicBody, 0, 0, "Circle 0.5");
    StepPhysics(*world, 6.0f / 60.0f, 60);
    EXPECT_NEAR(slow->Body()->GetBody()->GetLinearVelocity().y, -10.0f * 2.0f / 60.0f, 1e-5f);
    slow->Body()->GetBody()->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
    StepPhysics(*world, 1.0f / 60.0f, 60);
    EXPECT_NEAR(slow->Body()->GetBody()->GetLinearVelocity().y, -10.0f / 60.0f, 1e-5f);
}

// Root -> gameplay -> a -> b, each with a body (a has none on purpose in one case).
class BodyActivityTest : public PhysicsTest {
protected:
    BodyActivityTest() {
        gameplay = MakeBodyObject(b2_dynamicBody, 0, 0, "Box 1 1").release();
        a = MakeBodyObject(b2_dynamicBody, 5, 0, "Box 1 1").release();
        b = MakeBodyObject(b2_dynamicBody, 10, 0, "Box 1 1").release();
        root.AppendChild(gameplay);
        gameplay->AppendChild(a);
        a->AppendChild(b);
        untouched = new GameObject;
        untouched->AddComponent(new B2BodyComponent);
        a->AppendChild(untouched);
    }

    void Pass() { BodyActivityPass(*gameplay, gameplay->UpdateEnabled); }
    static bool Enabled(GameObject* o) { return o->Body()->GetBody()->IsEnabled(); }

    GameObject root;
    GameObject* gameplay = nullptr;
    GameObject* a = nullptr;
    GameObject* b = nullptr;
    GameObject* untouched = nullptr;
};

TEST_F(BodyActivityTest, BodiesFollowEveryUpdateEnabledFlagUpToTheGameplayRoot) {
    a->UpdateEnabled = false;
    Pass();
    EXPECT_TRUE(Enabled(gameplay));
    EXPECT_FALSE(Enabled(a));
    EXPECT_FALSE(Enabled(b)); // its own flag is set, its parent's is not
    a->UpdateEnabled = true;
    Pass();
    EXPECT_TRUE(Enabled(a));
    EXPECT_TRUE(Enabled(b));
    gameplay->UpdateEnabled = false;
    Pass();
    EXPECT_FALSE(Enabled(gameplay));
    EXPECT_FALSE(Enabled(b));
}

TEST_F(BodyActivityTest, PassNeverMakesABodyAndAboveTheGameplayRootDoesNotCount) {
    root.UpdateEnabled = false;
    Pass();
    EXPECT_FALSE(untouched->Body()->HasBody());
    EXPECT_TRUE(Enabled(b));
}

TEST_F(BodyActivityTest, InactiveBodiesStayPutAndResume) {
    a->UpdateEnabled = false;
    Pass();
    Step(30);
    EXPECT_EQ(a->GetPosition(), Vector2(5.0f, 0.0f));
    EXPECT_LT(gameplay->GetPosition().y, 0.0f);
    a->UpdateEnabled = true;
    Pass();
    Step(30);
    EXPECT_LT(a->GetPosition().y, 0.0f);
}

} // namespace
