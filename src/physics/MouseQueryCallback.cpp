#include "physics/MouseQueryCallback.h"

#include <box2d/b2_fixture.h>

#include "core/GameObject.h"
#include "physics/B2FixtureComponent.h"
#include "physics/FixtureMouseListenerBhv.h"

bool MouseQueryCallback::ReportFixture(b2Fixture* fixture) {
    auto* component = reinterpret_cast<B2FixtureComponent*>(fixture->GetUserData().pointer);
    if (component && component->Owner) {
        if (auto* listener = component->Owner->GetComponentOfType<FixtureMouseListenerBhv>()) {
            listener->hitThisFrame = true;
        }
    }
    return true;
}
