#include "enemies/boss/BossCommonBhv.h"

#include "core/GameObject.h"
#include "core/Service.h"
#include "enemies/damage/EnemyComponent.h"
#include "events/BossEvents.h"
#include "events/Events.h"
#include "events/PlayerEvents.h"

BossCommonBhv::~BossCommonBhv() {
    if (Events* events = Service<Events>::TryGet()) {
        events->Player->PlayerLeftBossArea.Unsubscribe(this);
    }
}

void BossCommonBhv::Start() {
    if (EnemyComponent* enemy = Enemy()) {
        enemy->Health = enemy->HealthStart;
    }
    Events* events = Service<Events>::TryGet();
    if (!events) {
        return;
    }
    BossEventArgs args{Owner};
    events->Boss->BossAppeared.Raise(&args);
    events->Player->PlayerLeftBossArea.Subscribe(this, [this](void*) { OnPlayerLeft(); });
}

void BossCommonBhv::OnPlayerLeft() {
    if (removed_ || !Owner) {
        return;
    }
    removed_ = true;
    if (Events* events = Service<Events>::TryGet()) {
        BossEventArgs args{Owner};
        events->Boss->BossRemoved.Raise(&args);
    }
    Owner->DestroyLater();
}
