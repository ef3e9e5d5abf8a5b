#include "enemies/RegisterEnemiesClasses.h"

#include "enemies/damage/EnStandardDamageBhv.h"
#include "enemies/damage/EnemyComponent.h"
#include "prefabs/ComponentRegistry.h"

void RegisterEnemiesClasses(ComponentRegistry& registry) {
    registry.Register<EnemyComponent>();
    registry.Register<EnStandardDamageBhv>();
}
