#include "flow/stations/SupplyStationBhv.h"

#include <box2d/b2_fixture.h>

#include "core/GameObject.h"
#include "core/WellKnown.h"
#include "enemies/Submarine.h"
#include "flow/stations/SupplyStoreOpener.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"
#include "world/things/ThingComponent.h"

void SupplyStationBhv::Start() {
    if (!Owner) {
        return;
    }
    if (auto* touch = Owner->GetComponentOfType<B2FixtureComponent>(1)) {
        touch->beginContactHandler = [this](b2Contact* contact, b2Fixture* other) {
            OnBeginContact(contact, other);
        };
    }
    ThingComponent* thing = Thing();
    B2BodyComponent* body = Body();
    if (thing && body) {
        thing->Pos = body->GetPosition();
    }
}

void SupplyStationBhv::OnBeginContact(b2Contact* /*contact*/, b2Fixture* other) {
    if (isBusy || !other) {
        return;
    }
    const auto* component = reinterpret_cast<B2FixtureComponent*>(other->GetUserData().pointer);
    const GameObject* sub = SubmarineObject();
    if (!component || !sub || component->Owner != sub) {
        return;
    }
    OpenStore();
    StopCoroutine<&SupplyStationBhv::CooldownStep>();
    StartCoroutine<&SupplyStationBhv::CooldownStep>();
}

void SupplyStationBhv::OpenStore() {
    ++menuRequests_;
    if (SupplyStoreOpener* store = WellKnown<SupplyStoreOpener>::Get()) {
        store->OpenSupplyStore();
    }
}

CoCommand SupplyStationBhv::CooldownStep(int step) {
    if (step == 0) {
        isBusy = true;
        return CoWaitSeconds(CooldownSeconds);
    }
    isBusy = false;
    return CoEnd();
}
