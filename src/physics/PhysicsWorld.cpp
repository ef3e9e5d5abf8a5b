#include "physics/PhysicsWorld.h"

#include <algorithm>

#include <box2d/b2_world.h>

#include "physics/B2DebugDrawer.h"
#include "physics/B2MainContactListener.h"

std::unique_ptr<b2World> CreatePhysicsWorld(B2MainContactListener& listener, B2DebugDrawer& drawer) {
    auto world = std::make_unique<b2World>(b2Vec2(0.0f, -10.0f));
    world->SetContactListener(&listener);
    world->SetDebugDraw(&drawer);
    return world;
}

void StepPhysics(b2World& world, float frameDelta, int framesPerSecond) {
    const float cap = 2.0f / static_cast<float>(framesPerSecond);
    world.Step(std::min(frameDelta, cap), 8, 3);
}
