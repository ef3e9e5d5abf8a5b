#include "enemies/damage/EnemyDamageHandlers.h"

#include "enemies/damage/EnemyComponent.h"

bool EnemyDamageHandlers::SendDamage(Component& enemy, int damage, B2FixtureComponent* fixture) {
    auto* component = dynamic_cast<EnemyComponent*>(&enemy);
    if (!component || !component->damageHandler) {
        return false;
    }
    EnemyDamageInfo info{damage, fixture};
    component->damageHandler(info);
    return true;
}
