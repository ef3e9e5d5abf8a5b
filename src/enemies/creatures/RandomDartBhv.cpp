#include "enemies/creatures/RandomDartBhv.h"

#include <cmath>

#include <box2d/b2_body.h>

#include "components/SpriteComponent.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "enemies/creatures/ProximityAttackBhv.h"
#include "physics/B2BodyComponent.h"
#include "world/RandomManager.h"
#include "world/things/ThingRootBhv.h"

namespace {

// Uniform in [low, high), exactly low for an empty or reversed range.
float Uniform(float low, float high) {
    RandomManager* random = Service<RandomManager>::TryGet();
    return random ? random->UniformFloat(low, high) : low;
}

} // namespace

RandomDartBhv::RandomDartBhv() {
    RegisterProperty("ImpulseMin", &ImpulseMin);
    RegisterProperty("ImpulseMax", &ImpulseMax);
    RegisterProperty("DelayMin", &DelayMin);
    RegisterProperty("DelayMax", &DelayMax);
}

void RandomDartBhv::Start() {
    StartCoroutine<&RandomDartBhv::DartStep>();
}

CoCommand RandomDartBhv::DartStep(int step) {
    if (Owner) {
        if (auto* attack = Owner->GetComponentOfType<ProximityAttackBhv>(); attack && attack->IsAttacking()) {
            // Every later step checks again before it starts over, so waiting here holds the dart.
            return CoWaitFrames(10);
        }
    }
    B2BodyComponent* body = Body();
    if (!body) {
        return CoEnd();
    }
    if (step != 0) {
        return CoRestart();
    }
    const Vector2 direction = ThingRootBhv::RandomDirection(1.0f);
    const float magnitude = Uniform(ImpulseMin, ImpulseMax);
    b2Body* b = body->GetBody();
    b->ApplyLinearImpulse(b2Vec2(direction.x * magnitude, direction.y * magnitude), b->GetPosition(), true);
    if (SpriteComponent* sprite = Sprite()) {
        sprite->Size.x = direction.x >= 0.0f ? std::fabs(sprite->Size.x) : -std::fabs(sprite->Size.x);
    }
    return CoWaitSeconds(Uniform(DelayMin, DelayMax));
}
