#pragma once

#include <memory>
#include <string>

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include "core/CoroutineManager.h"
#include "core/DestroyQueues.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/Service.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2DebugDrawer.h"
#include "physics/B2FixtureComponent.h"
#include "physics/B2MainContactListener.h"
#include "physics/PhysicsWorld.h"

// The object-model services and a physics world wired as the game wires it, installed for one
// test. Objects made by a test must go before the fixture (locals do).
class PhysicsTest : public ::testing::Test {
protected:
    PhysicsTest() { time.FrameDelta = 1.0f / 60.0f; }

    // A new object (owned by the test) with a body component of the given type at (x, y), which
    // creates the body, and one fixture built from shape.
    std::unique_ptr<GameObject> MakeBodyObject(int type, float x, float y, const std::string& shape) {
        auto object = std::make_unique<GameObject>();
        auto* body = new B2BodyComponent;
        object->AddComponent(body);
        body->SetPropertyText("Type", 0, std::to_string(type));
        body->SetPosition(x, y);
        auto* fixture = new B2FixtureComponent;
        object->AddComponent(fixture);
        fixture->SetShapeText(shape);
        return object;
    }

    void Step(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            StepPhysics(*world, 1.0f / 60.0f, 60);
        }
    }

    GameTime time;
    CoroutineManager coroutines;
    DestroyQueues queues;
    Service<GameTime>::Scoped timeScope{time};
    Service<CoroutineManager>::Scoped coroutineScope{coroutines};
    Service<DestroyQueues>::Scoped queueScope{queues};

    B2MainContactListener listener;
    B2DebugDrawer drawer;
    std::unique_ptr<b2World> world = CreatePhysicsWorld(listener, drawer);
    Service<b2World>::Scoped worldScope{*world};
};
