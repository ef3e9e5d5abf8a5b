#pragma once

#include <memory>
#include <string>

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "core/GameObject.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"
#include "physics/PhysicsWorld.h"

// A scene with helpers for bodies. Objects made by a test must go before the fixture (locals do).
class PhysicsTest : public SceneFixture {
protected:
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
};
