#include "enemies/creatures/ProximityAttackBhv.h"

#include <cmath>

#include <box2d/b2_body.h>

#include "audio/CueManagerBhv.h"
#include "components/SpriteComponent.h"
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
    if (Vector2 sub; SubmarinePosition(sub)) {
        ConsiderTarget(sub);
    }
}

void ProximityAttackBhv::ConsiderTarget(Vector2 target) {
    ThingComponent* thing = Thing();
    if (!thing || IsCoroutineRunning<&ProximityAttackBhv::AttackStep>()) {
        return;
    }
    const float dx = target.x - thing->Pos.x;
    const float dy = target.y - thing->Pos.y;
    const float distance = std::sqrt(dx * dx + dy * dy);
    if (!(distance < AttackRange)) {
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
        // Puffed up and pulsing dark until the lunge: a pale tint alone did not show on a red shrimp.
        if (SpriteComponent* sprite = Sprite()) {
            savedSize_ = sprite->Size;
            sprite->Size = savedSize_ * WarnGrowth;
        }
        StartCoroutine<&ProximityAttackBhv::WarnStep>();
        playCue("EnemyPreCharge");
        isAttacking_ = true;
        return CoWaitSeconds(AttackDelay);
    case 1:
        StopCoroutine<&ProximityAttackBhv::WarnStep>();
        if (SpriteComponent* sprite = Sprite()) {
            sprite->Size = savedSize_;
        }
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

CoCommand ProximityAttackBhv::WarnStep(int step) {
    TintComponent* tint = Tint();
    switch (step) {
    case 0:
        return CoWaitFrames(WarnPulseFrames);
    case 1:
        if (tint) {
            tint->Tint = WarnDarkTint;
        }
        return CoWaitFrames(WarnPulseFrames);
    default:
        if (tint) {
            tint->Tint = Color(255, 178, 178, 255);
        }
        return CoRestart();
    }
}
