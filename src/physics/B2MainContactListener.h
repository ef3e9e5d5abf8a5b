#pragma once

#include <box2d/b2_world_callbacks.h>

// The world's one contact listener: routes begin contact and pre-solve to the handler slots of the
// B2FixtureComponents on both sides, side A before side B, each receiving the other side's fixture.
// Fixtures without a component (terrain chains) are skipped. Holds no state.
class B2MainContactListener : public b2ContactListener {
public:
    void BeginContact(b2Contact* contact) override;
    void PreSolve(b2Contact* contact, const b2Manifold* oldManifold) override;
};
