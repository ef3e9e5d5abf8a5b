// The fixture component: when a fixture is built, what a rebuild keeps, mirroring, the material
// properties before and after the fixture exists, and what removing a fixture leaves behind.
#include "PhysicsFixture.h"

namespace {

using FixtureComponentTest = PhysicsTest;

// Every fixture on the body points back at a live component attached to the object.
void ExpectUserDataIsLive(const GameObject& object) {
    for (b2Fixture* f = object.Body()->GetBody()->GetFixtureList(); f; f = f->GetNext()) {
        auto* component = reinterpret_cast<B2FixtureComponent*>(f->GetUserData().pointer);
        ASSERT_NE(component, nullptr);
        EXPECT_EQ(component->Owner, &object);
        EXPECT_EQ(component->fixture, f);
    }
}

TEST_F(FixtureComponentTest, ShapeWrittenBeforeTheBodyIsTouchedBuildsNothing) {
    GameObject object;
    auto* body = new B2BodyComponent;
    auto* fixture = new B2FixtureComponent;
    object.AddComponent(body);
    object.AddComponent(fixture);
    fixture->SetPropertyText("Shape", 0, "Box 1 1");
    EXPECT_EQ(fixture->fixture, nullptr);
    EXPECT_FALSE(body->HasBody());
    body->SetPropertyText("Pos", 0, "0");
    EXPECT_EQ(fixture->fixture, nullptr); // touching the body alone builds nothing
    fixture->SetPropertyText("Shape", 0, "Box 1 1");
    ASSERT_NE(fixture->fixture, nullptr);
    EXPECT_EQ(fixture->fixture->GetBody(), body->GetBody());
    EXPECT_EQ(fixture->fixture->GetUserData().pointer, reinterpret_cast<uintptr_t>(fixture));
}

TEST_F(FixtureComponentTest, WithoutABodyComponentNothingIsBuilt) {
    GameObject object;
    auto* fixture = new B2FixtureComponent;
    object.AddComponent(fixture);
    fixture->SetShapeText("Circle 1");
    EXPECT_EQ(fixture->fixture, nullptr);
    EXPECT_EQ(fixture->GetShapeText(), "Circle 1");
}

TEST_F(FixtureComponentTest, NewShapeReplacesTheFixtureAndSetsTheMass) {
    auto object = MakeBodyObject(b2_dynamicBody, 0, 0, "Box 1 1");
    b2Body* body = object->Body()->GetBody();
    EXPECT_FLOAT_EQ(body->GetMass(), 4.0f); // density 1, not Box2D's 0
    object->GetComponentOfType<B2FixtureComponent>()->SetShapeText("Box 2 1");
    EXPECT_FLOAT_EQ(body->GetMass(), 8.0f);
    int count = 0;
    for (b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
        ++count;
    }
    EXPECT_EQ(count, 1);
    ExpectUserDataIsLive(*object);
}

TEST_F(FixtureComponentTest, TextOutsideTheGrammarKeepsTheLiveFixture) {
    auto object = MakeBodyObject(b2_dynamicBody, 0, 0, "Box 1 1");
    auto* fixture = object->GetComponentOfType<B2FixtureComponent>();
    b2Fixture* live = fixture->fixture;
    fixture->SetShapeText("box 3 3");
    EXPECT_EQ(fixture->fixture, live);
    EXPECT_EQ(fixture->GetShapeText(), "");
    fixture->SetShapeText("Box 1e 3");
    EXPECT_EQ(fixture->fixture, live);
}

TEST_F(FixtureComponentTest, ChainOrARejectedPolygonRemovesTheFixtureAndBuildsNone) {
    for (const char* text : {"Chain 0 0 1 0 2 1", "Edge 0 0 1 0", "Polygon 0 0 0 1 1 0"}) {
        auto object = MakeBodyObject(b2_dynamicBody, 0, 0, "Box 1 1");
        auto* fixture = object->GetComponentOfType<B2FixtureComponent>();
        fixture->SetShapeText(text);
        EXPECT_EQ(fixture->fixture, nullptr) << text;
        EXPECT_EQ(object->Body()->GetBody()->GetFixtureList(), nullptr) << text;
        object->Body()->SetMirrored(true); // a rebuild without a shape builds nothing either
        EXPECT_EQ(object->Body()->GetBody()->GetFixtureList(), nullptr) << text;
    }
}

TEST_F(FixtureComponentTest, FrictionBeforeAndAfterTheFixtureExists) {
    GameObject object;
    auto* body = new B2BodyComponent;
    auto* fixture = new B2FixtureComponent;
    object.AddComponent(body);
    object.AddComponent(fixture);
    EXPECT_EQ(fixture->GetPropertyText("Friction"), "0.200000003");
    EXPECT_EQ(fixture->GetPropertyText("Restitution"), "0");
    EXPECT_EQ(fixture->GetPropertyText("Density"), "1");
    EXPECT_EQ(fixture->GetPropertyText("IsSensor"), "false");
    fixture->SetPropertyText("Friction", 0, "0.5");
    fixture->SetPropertyText("Restitution", 0, "0.25");
    fixture->SetPropertyText("IsSensor", 0, "true");
    body->GetBody();
    fixture->SetPropertyText("Shape", 0, "Box 1 1");
    ASSERT_NE(fixture->fixture, nullptr);
    EXPECT_EQ(fixture->fixture->GetFriction(), 0.5f);
    EXPECT_EQ(fixture->fixture->GetRestitution(), 0.25f);
    EXPECT_TRUE(fixture->fixture->IsSensor());
    fixture->fixture->SetFriction(0.75f);
    EXPECT_EQ(fixture->GetPropertyText("Friction"), "0.75"); // the live value wins
    fixture->SetPropertyText("Friction", 0, "0.125");
    EXPECT_EQ(fixture->fixture->GetFriction(), 0.125f);
    EXPECT_EQ(fixture->definition.friction, 0.125f);
}

TEST_F(FixtureComponentTest, DensityWriteLeavesTheMassAlone) {
    auto object = MakeBodyObject(b2_dynamicBody, 0, 0, "Box 1 1");
    auto* fixture = object->GetComponentOfType<B2FixtureComponent>();
    fixture->SetPropertyText("Density", 0, "3");
    EXPECT_EQ(fixture->fixture->GetDensity(), 3.0f);
    EXPECT_FLOAT_EQ(object->Body()->GetBody()->GetMass(), 4.0f);
    object->Body()->GetBody()->ResetMassData();
    EXPECT_FLOAT_EQ(object->Body()->GetBody()->GetMass(), 12.0f);
}

TEST_F(FixtureComponentTest, SensorSwitchOnALiveFixtureWakesTheBody) {
    auto object = MakeBodyObject(b2_dynamicBody, 0, 0, "Box 1 1");
    auto* fixture = object->GetComponentOfType<B2FixtureComponent>();
    object->Body()->GetBody()->SetAwake(false);
    fixture->SetPropertyText("IsSensor", 0, "true");
    EXPECT_TRUE(fixture->fixture->IsSensor());
    EXPECT_TRUE(object->Body()->GetBody()->IsAwake());
}

TEST_F(FixtureComponentTest, MirroringRebuildsOnceAndReflectsPolygons) {
    auto object = MakeBodyObject(b2_dynamicBody, 0, 0, "Polygon 0 0 2 0 0 1");
    auto* second = new B2FixtureComponent;
    object->AddComponent(second);
    second->SetShapeText("Circle 0.5");
    auto* first = object->GetComponentOfType<B2FixtureComponent>();

    object->Body()->SetMirrored(true);
    EXPECT_TRUE(first->isMirrored);
    EXPECT_TRUE(second->isMirrored);
    const auto& mirrored = static_cast<const b2PolygonShape&>(*first->fixture->GetShape());
    ASSERT_EQ(mirrored.m_count, 3);
    // Last to first, x negated: (0, 1), (-2, 0), (0, 0); still counter-clockwise.
    EXPECT_EQ(mirrored.m_vertices[0], b2Vec2(0.0f, 1.0f));
    EXPECT_EQ(mirrored.m_vertices[1], b2Vec2(-2.0f, 0.0f));
    EXPECT_EQ(mirrored.m_vertices[2], b2Vec2(0.0f, 0.0f));
    EXPECT_LT(mirrored.m_centroid.x, 0.0f);
    EXPECT_EQ(first->GetShapeText(), "Polygon 0 0 2 0 0 1");

    // A rebuild would bring back the definition's friction: this marks the live fixtures.
    first->fixture->SetFriction(0.9f);
    second->fixture->SetFriction(0.9f);
    object->Body()->SetMirrored(true);
    EXPECT_EQ(first->fixture->GetFriction(), 0.9f);
    EXPECT_EQ(second->fixture->GetFriction(), 0.9f);

    object->Body()->SetMirrored(false);
    const auto& restored = static_cast<const b2PolygonShape&>(*first->fixture->GetShape());
    EXPECT_EQ(restored.m_vertices[1], b2Vec2(2.0f, 0.0f));
    EXPECT_EQ(first->fixture->GetFriction(), 0.2f);
    ExpectUserDataIsLive(*object);
}

TEST_F(FixtureComponentTest, MirroredBoxKeepsItsTextAndOutline) {
    auto object = MakeBodyObject(b2_dynamicBody, 0, 0, "Box 2 1");
    object->Body()->SetMirrored(true);
    auto* fixture = object->GetComponentOfType<B2FixtureComponent>();
    EXPECT_EQ(fixture->GetShapeText(), "Box 2 1");
    b2AABB box = fixture->fixture->GetAABB(0);
    EXPECT_NEAR(box.lowerBound.x, -2.0f, 0.02f);
    EXPECT_NEAR(box.upperBound.x, 2.0f, 0.02f);
}

TEST_F(FixtureComponentTest, MirroringAnUntouchedBodyMakesItAndBuildsTheFixture) {
    GameObject object;
    auto* body = new B2BodyComponent;
    auto* fixture = new B2FixtureComponent;
    object.AddComponent(body);
    object.AddComponent(fixture);
    fixture->SetShapeText("Box 1 1");
    body->SetMirrored(true);
    EXPECT_NE(fixture->fixture, nullptr);
}

TEST_F(FixtureComponentTest, FixtureRemovedAloneLeavesNoDanglingUserData) {
    auto object = MakeBodyObject(b2_dynamicBody, 0, 3, "Box 0.5 0.5");
    auto* second = new B2FixtureComponent;
    object->AddComponent(second);
    second->SetShapeText("Circle 1");
    auto floor = MakeBodyObject(b2_staticBody, 0, 0, "Box 10 0.5");
    int touches = 0;
    floor->GetComponentOfType<B2FixtureComponent>()->beginContactHandler = [&](b2Contact*, b2Fixture* other) {
        // Reading the other side's component is what a handler does; ASan catches a dead one.
        auto* component = reinterpret_cast<B2FixtureComponent*>(other->GetUserData().pointer);
        ASSERT_NE(component, nullptr);
        EXPECT_EQ(component->Owner, object.get());
        ++touches;
    };
    second->DestroyLater();
    queues.Flush();
    ASSERT_NE(object->Body()->GetBody()->GetFixtureList(), nullptr);
    EXPECT_EQ(object->Body()->GetBody()->GetFixtureList()->GetNext(), nullptr);
    ExpectUserDataIsLive(*object);
    Step(120);
    EXPECT_EQ(touches, 1);
}

TEST_F(FixtureComponentTest, BodyComponentDestroyedFirstLeavesTheFixtureComponentHarmless) {
    GameObject object;
    auto* fixture = new B2FixtureComponent;
    object.AddComponent(fixture);
    auto* body = new B2BodyComponent; // after the fixture: destroyed first with the object
    object.AddComponent(body);
    body->GetBody();
    fixture->SetShapeText("Box 1 1");
    ASSERT_NE(fixture->fixture, nullptr);
    delete body;
    EXPECT_EQ(fixture->fixture, nullptr);
    EXPECT_EQ(world->GetBodyCount(), 0);
    fixture->SetShapeText("Box 2 2"); // no body any more: nothing is built
    EXPECT_EQ(fixture->fixture, nullptr);
}

} // namespace
