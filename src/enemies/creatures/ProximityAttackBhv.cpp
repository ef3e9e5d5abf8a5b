#include "enemies/creatures/ProximityAttackBhv.h"

#include <cmath>

#include <box2d/b2_body.h>

#include "audio/CueManagerBhv.h"
#include "components/TintComponent.h"
#include "enemies/Submarine.h"
#include "physics/B2BodyComponent.h"
#include "world/things/ThingComponent.h"

ProximityAttackBhv::ProximityAttackBhv() {
    RegisterProperty("AttackRange", &AttackRange);
    RegisterProperty("AttackDelay", &AttackDelay);
    RegisterProperty("AttackForce", &AttackForce);
    RegisterProperty("AttackCooldown", &AttackCooldown);
}

void ProximityAttackBhv::Update() {
    ThingComponent* thing = Thing();
    Vector2 sub;
    if (!thing || !SubmarinePosition(sub)) {
        return;
    }
    const float dx = sub.x - thing->Pos.x;
    const float dy = sub.y - thing->Pos.y;
    const float distance = std::sqrt(dx * dx + dy * dy);
    if (!(distance < AttackRange) || IsCoroutineRunning<&ProximityAttackBhv::AttackStep>()) {
        return;
    }
    // Taken now, not at the lunge: the warning gives the player time to move out of its line.
    direction_ = distance > 0.0f ? Vector2{dx / distance, dy / distance} : Vector2{};
    StartCoroutine<&ProximityAttackBhv::AttackStep>();
}

CoCommand ProximityAttackBhv::AttackStep(int step) {
    TintComponent* tint = Tint();
    switch (step) {
    case 0:
        if (tint) {
            savedTint_ = tint->Tint;
            tint->Tint = Color(255, 178, 178, 255);
        }
        playCue("EnemyPreCharge");
        isAttacking_ = true;
        return CoWaitSeconds(AttackDelay);
    case 1:
        if (B2BodyComponent* body = Body()) {
            b2Body* b = body->GetBody();
            if (b->GetType() == b2_dynamicBody) {
                b->ApplyLinearImpulse(b2Vec2(direction_.x * AttackForce, direction_.y * AttackForce),
                                      b->GetPosition(), true);
            }
        }
        if (tint) {
            tint->Tint = Color(178, 178, 178, 255);
        }
        playCue("EnemyCharge");
        return CoWaitSeconds(AttackCooldown);
    default:
        if (tint) {
            tint->Tint = savedTint_;
        }
        isAttacking_ = false;
        return CoEnd();
    }
}
