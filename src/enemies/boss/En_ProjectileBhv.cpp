#include "enemies/boss/En_ProjectileBhv.h"

#include <box2d/b2_contact.h>

#include "core/GameObject.h"
#include "enemies/damage/EnemyComponent.h"
#include "enemies/damage/PickupContact.h"
#include "physics/B2FixtureComponent.h"

void En_ProjectileBhv::Start() {
    if (EnemyComponent* enemy = Enemy()) {
        enemy->damageHandler = [this](EnemyDamageInfo& info) {
            OnDamaged(info);
        };
    }
    if (Owner) {
        if (auto* fixture = Owner->GetComponentOfType<B2FixtureComponent>()) {
            fixture->preSolveHandler = [this](b2Contact* contact, b2Fixture* other) {
                OnPreSolve(contact, other);
            };
        }
    }
}

void En_ProjectileBhv::OnDamaged(EnemyDamageInfo& /*info*/) {
    if (Owner) {
        Owner->DestroyLater();
    }
}

void En_ProjectileBhv::OnPreSolve(b2Contact* contact, b2Fixture* other) {
    contact->SetEnabled(false);
    const std::string* name = FixturePrefabName(other);
    const bool passesThrough =
        name && (name->find("Pkup_") != std::string::npos || name->find("En_") != std::string::npos);
    if (!passesThrough && Owner) {
        Owner->DestroyLater();
    }
}
