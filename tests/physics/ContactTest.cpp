// Contact dispatch: begin contact and pre-solve reach the handler slots of both sides, A before B,
// each with the other side's fixture.
#include "PhysicsFixture.h"

#include <vector>

namespace {

class ContactTest : public PhysicsTest {
protected:
    static B2FixtureComponent* FixtureOf(GameObject& object, int n = 0) {
        return object.GetComponentOfType<B2FixtureComponent>(n);
    }
};

TEST_F(ContactTest, BeginContactReachesBothSidesOnceWithTheOtherFixture) {
    auto ball = MakeBodyObject(b2_dynamicBody, 0, 2, "Circle 0.5");
    auto floor = MakeBodyObject(b2_staticBody, 0, 0, "Box 5 0.5");
    std::vector<std::pair<B2FixtureComponent*, b2Fixture*>> calls;
    for (GameObject* o : {ball.get(), floor.get()}) {
        B2FixtureComponent* self = FixtureOf(*o);
        self->beginContactHandler = [&calls, self](b2Contact* contact, b2Fixture* other) {
            EXPECT_TRUE(contact->GetFixtureA() == other || contact->GetFixtureB() == other);
            calls.emplace_back(self, other);
        };
    }
    Step(120);
    ASSERT_EQ(calls.size(), 2u);
    // A is served before B, whichever way round Box2D paired them.
    EXPECT_NE(calls[0].first, calls[1].first);
    EXPECT_EQ(calls[0].second, calls[1].first->fixture);
    EXPECT_EQ(calls[1].second, calls[0].first->fixture);
}

TEST_F(ContactTest, SideAIsServedBeforeSideB) {
    auto ball = MakeBodyObject(b2_dynamicBody, 0, 2, "Circle 0.5");
    auto floor = MakeBodyObject(b2_staticBody, 0, 0, "Box 5 0.5");
    std::vector<b2Fixture*> order;
    b2Fixture* first = nullptr;
    for (GameObject* o : {ball.get(), floor.get()}) {
        B2FixtureComponent* self = FixtureOf(*o);
        self->preSolveHandler = [&, self](b2Contact* contact, b2Fixture*) {
            if (order.empty()) {
                first = contact->GetFixtureA();
            }
            if (order.size() < 2) {
                order.push_back(self->fixture);
            }
        };
    }
    Step(60);
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0], first);
}

TEST_F(ContactTest, OneSidedHandlerAndFixturesWithoutComponentsAreSkipped) {
    auto ball = MakeBodyObject(b2_dynamicBody, 0, 2, "Circle 0.5");
    // A terrain-like chain with no component behind it; chains collide on the right of their
    // direction, so it runs right to left to hold things from above.
    b2BodyDef groundDef;
    b2Body* ground = world->CreateBody(&groundDef);
    b2ChainShape chain;
    const b2Vec2 points[] = {{5.0f, 0.0f}, {-5.0f, 0.0f}};
    chain.CreateChain(points, 2, b2Vec2(6.0f, 0.0f), b2Vec2(-6.0f, 0.0f));
    ground->CreateFixture(&chain, 0.0f);
    int begins = 0;
    FixtureOf(*ball)->beginContactHandler = [&](b2Contact*, b2Fixture* other) {
        EXPECT_EQ(other->GetUserData().pointer, 0u);
        ++begins;
    };
    Step(120);
    EXPECT_EQ(begins, 1);
    EXPECT_NEAR(ball->GetPosition().y, 0.5f, 0.05f);
}

TEST_F(ContactTest, SensorGetsBeginContactButNoPreSolve) {
    auto ball = MakeBodyObject(b2_dynamicBody, 0, 3, "Circle 0.5");
    auto zone = std::make_unique<GameObject>();
    zone->AddComponent(new B2BodyComponent);
    zone->Body()->GetBody();
    auto* sensor = new B2FixtureComponent;
    zone->AddComponent(sensor);
    sensor->SetPropertyText("IsSensor", 0, "true");
    sensor->SetShapeText("Box 2 1");
    int begins = 0;
    int preSolves = 0;
    sensor->beginContactHandler = [&](b2Contact*, b2Fixture* other) {
        EXPECT_EQ(other, FixtureOf(*ball)->fixture);
        ++begins;
    };
    sensor->preSolveHandler = [&](b2Contact*, b2Fixture*) {
        ++preSolves;
    };
    int ballPreSolves = 0;
    FixtureOf(*ball)->preSolveHandler = [&](b2Contact*, b2Fixture*) {
        ++ballPreSolves;
    };
    Step(90);
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(preSolves, 0);
    EXPECT_EQ(ballPreSolves, 0);
    EXPECT_LT(ball->GetPosition().y, -1.0f); // fell straight through
}

TEST_F(ContactTest, PreSolveDisablingTheContactLetsBodiesPass) {
    auto ball = MakeBodyObject(b2_dynamicBody, 0, 2, "Circle 0.5");
    auto floor = MakeBodyObject(b2_staticBody, 0, 0, "Box 5 0.5");
    int calls = 0;
    FixtureOf(*floor)->preSolveHandler = [&](b2Contact* contact, b2Fixture*) {
        contact->SetEnabled(false);
        ++calls;
    };
    Step(90);
    EXPECT_GT(calls, 1); // every step of the overlap asks again
    EXPECT_LT(ball->GetPosition().y, -2.0f);
}

TEST_F(ContactTest, WithoutHandlersBodiesCollideNormally) {
    auto ball = MakeBodyObject(b2_dynamicBody, 0, 2, "Circle 0.5");
    auto floor = MakeBodyObject(b2_staticBody, 0, 0, "Box 5 0.5");
    Step(120);
    EXPECT_NEAR(ball->GetPosition().y, 1.0f, 0.05f);
}

} // namespace
