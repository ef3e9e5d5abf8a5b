#include "physics/B2MainContactListener.h"

#include <box2d/b2_contact.h>

#include "physics/B2FixtureComponent.h"

namespace {

B2FixtureComponent* ComponentOf(b2Fixture* fixture) {
    return reinterpret_cast<B2FixtureComponent*>(fixture->GetUserData().pointer);
}

template <B2FixtureComponent::ContactHandler B2FixtureComponent::*Slot> void Dispatch(b2Contact* contact) {
    b2Fixture* a = contact->GetFixtureA();
    b2Fixture* b = contact->GetFixtureB();
    if (B2FixtureComponent* ca = ComponentOf(a); ca && ca->*Slot) {
        (ca->*Slot)(contact, b);
    }
    // Looked up only now: A's handler may have cleared B's slot.
    if (B2FixtureComponent* cb = ComponentOf(b); cb && cb->*Slot) {
        (cb->*Slot)(contact, a);
    }
}

} // namespace

void B2MainContactListener::BeginContact(b2Contact* contact) {
    Dispatch<&B2FixtureComponent::beginContactHandler>(contact);
}

// The old manifold is not passed on; a handler may disable the contact for this step.
void B2MainContactListener::PreSolve(b2Contact* contact, const b2Manifold* /*oldManifold*/) {
    Dispatch<&B2FixtureComponent::preSolveHandler>(contact);
}
