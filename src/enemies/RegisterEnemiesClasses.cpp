#include "enemies/RegisterEnemiesClasses.h"

#include "enemies/boss/BossCommonBhv.h"
#include "enemies/boss/BossGateBhv.h"
#include "enemies/boss/En_MantisShrimpBhv.h"
#include "enemies/boss/En_ProjectileBhv.h"
#include "enemies/creatures/BouncingBallBhv.h"
#include "enemies/creatures/ProximityAttackBhv.h"
#include "enemies/creatures/RandomDartBhv.h"
#include "enemies/creatures/ShakeBhv.h"
#include "enemies/damage/EnStandardDamageBhv.h"
#include "enemies/damage/EnemyComponent.h"
#include "prefabs/ComponentRegistry.h"

void RegisterEnemiesClasses(ComponentRegistry& registry) {
    registry.Register<EnemyComponent>();
    registry.Register<EnStandardDamageBhv>();
    registry.Register<ProximityAttackBhv>();
    registry.Register<RandomDartBhv>();
    registry.Register<ShakeBhv>();
    registry.Register<BouncingBallBhv>();
    registry.Register<En_ProjectileBhv>();
    registry.Register<En_MantisShrimpBhv>();
    registry.Register<BossCommonBhv>();
    registry.Register<BossGateBhv>();
}
