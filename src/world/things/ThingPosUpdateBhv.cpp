#include "world/things/ThingPosUpdateBhv.h"

#include "physics/B2BodyComponent.h"
#include "world/things/ThingComponent.h"

void ThingPosUpdateBhv::Update() {
    B2BodyComponent* body = Body();
    ThingComponent* thing = Thing();
    if (body && thing) {
        thing->Pos = body->GetPosition();
    }
}
