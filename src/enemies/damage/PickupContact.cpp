#include "enemies/damage/PickupContact.h"

#include <box2d/b2_fixture.h>

#include "core/GameObject.h"
#include "physics/B2FixtureComponent.h"

const std::string* FixturePrefabName(b2Fixture* fixture) {
    if (!fixture) {
        return nullptr;
    }
    auto* component = reinterpret_cast<B2FixtureComponent*>(fixture->GetUserData().pointer);
    if (!component || !component->Owner) {
        return nullptr;
    }
    return &component->Owner->PrefabName;
}

bool IsPickupFixture(b2Fixture* fixture) {
    const std::string* name = FixturePrefabName(fixture);
    return name && name->find("Pkup_") != std::string::npos;
}
