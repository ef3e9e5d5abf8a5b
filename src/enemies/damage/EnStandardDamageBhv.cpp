#include "enemies/damage/EnStandardDamageBhv.h"

#include <box2d/b2_contact.h>
#include <box2d/b2_fixture.h>

#include "audio/CueManagerBhv.h"
#include "core/GameObject.h"
#include "enemies/damage/EnemyComponent.h"
#include "enemies/damage/PickupContact.h"
#include "physics/B2FixtureComponent.h"
#include "world/things/RandomDropBhv.h"

void EnStandardDamageBhv::Start() {
    if (EnemyComponent* enemy = Enemy()) {
        enemy->damageHandler = [this](EnemyDamageInfo& info) {
            OnDamaged(info);
        };
        enemy->Health = enemy->HealthStart;
    }
    if (!Owner) {
        return;
    }
    for (Component* component : Owner->Components) {
        if (auto* fixture = dynamic_cast<B2FixtureComponent*>(component)) {
            fixture->preSolveHandler = [this](b2Contact* contact, b2Fixture* other) {
                OnPreSolve(contact, other);
            };
        }
    }
}

void EnStandardDamageBhv::OnPreSolve(b2Contact* contact, b2Fixture* other) {
    if (IsPickupFixture(other)) {
        contact->SetEnabled(false);
    }
}

void EnStandardDamageBhv::OnDamaged(EnemyDamageInfo& info) {
    EnemyComponent* enemy = Enemy();
    // A dead enemy waits for the end-of-frame deletion; later hits in that frame must not open the
    // chest, free the cells or drop the loot a second time.
    if (!enemy || dead_) {
        return;
    }
    enemy->Health -= info.Damage;
    if (enemy->Health > 0) {
        StopCoroutine<&EnStandardDamageBhv::HurtStep>();
        StartCoroutine<&EnStandardDamageBhv::HurtStep>();
        return;
    }
    Die();
}

void EnStandardDamageBhv::Die() {
    dead_ = true;
    EnemyComponent* enemy = Enemy();
    const bool chest = Owner->PrefabName == "En_Chest";
    playCue(chest ? "ChestOpen" : "EnemyDie");
    const Vector2 p = Owner->GetPosition();
    if (enemy->HasTileType) {
        enemy->FreeHeldCells();
    }
    if (RandomDropBhv* drop = Owner->GetComponentOfType<RandomDropBhv>()) {
        drop->Drop(p);
    }
    Owner->DestroyLater();
}

CoCommand EnStandardDamageBhv::HurtStep(int step) {
    if (step == 0) {
        playCue("EnemyDamage");
        StartCoroutine<&EnStandardDamageBhv::BlinkStep>();
        return CoWaitSeconds(HurtSeconds);
    }
    StopCoroutine<&EnStandardDamageBhv::BlinkStep>();
    Owner->DrawEnabled = true;
    return CoEnd();
}

CoCommand EnStandardDamageBhv::BlinkStep(int step) {
    if (step == 0) {
        Owner->DrawEnabled = false;
        return CoWaitFrames(2);
    }
    if (step == 1) {
        Owner->DrawEnabled = true;
        return CoWaitFrames(2);
    }
    return CoRestart();
}
