#include "physics/PhysicsWorld.h"

#include <algorithm>

#include <box2d/b2_world.h>

#include "core/DestroyQueues.h"
#include "core/Service.h"
#include "physics/B2DebugDrawer.h"
#include "physics/B2MainContactListener.h"

namespace {

// Flushes deleting fewer entries than this leave the world exactly as it was.
constexpr size_t LargeTeardown = 64;

} // namespace

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

void BeforeProxyTeardown(b2World& world) {
    const DestroyQueues* queues = Service<DestroyQueues>::TryGet();
    if (!queues || queues->Flushing() < LargeTeardown || world.IsLocked()) {
        return;
    }
    // Box2D offers no other way to empty the list; finding the new pairs is what the next step does
    // first, and a list already empty costs nothing.
    const_cast<b2ContactManager&>(world.GetContactManager()).FindNewContacts();
}
