#include "player/tools/ShrimpZapperBhv.h"

#include <cmath>

#include "components/SpriteComponent.h"
#include "core/GameObject.h"
#include "core/ScheduleCoroutine.h"
#include "physics/B2FixtureComponent.h"
#include "player/EnemyLink.h"
#include "player/tools/ToolSupport.h"
#include "world/things/ThingComponent.h"
#include "world/things/ThingRootBhv.h"

ShrimpZapperBhv::ShrimpZapperBhv() {
    RegisterProperty("ZapInterval", &ZapInterval);
    RegisterProperty("ZapRadius", &ZapRadius);
    RegisterProperty("Damage", &Damage);
}

void ShrimpZapperBhv::Start() {
    ScheduleCoroutine<&ShrimpZapperBhv::ZapStep>(*this);
}

CoCommand ShrimpZapperBhv::ZapStep(int step) {
    if (step == 0) {
        return CoWaitSeconds(ZapInterval);
    }
    // Looks again every frame until a shrimp comes within reach.
    return Zap() ? CoRestart() : CoWaitFrames(1);
}

bool ShrimpZapperBhv::Zap() {
    Vector2 s;
    if (!SubPosition(s)) {
        return false;
    }
    hits_.clear();
    ThingRootBhv::QueryFixturesInSquare(s, ZapRadius, hits_);
    for (B2FixtureComponent* fixture : hits_) {
        GameObject* object = fixture->Owner;
        Component* enemy = object ? FindEnemy(*object) : nullptr;
        const ThingComponent* thing = object ? object->Thing() : nullptr;
        if (!enemy || !thing || !ReadEnemyValues(*enemy).IsShrimp) {
            continue;
        }
        const Vector2 d = thing->Pos - s;
        if (std::sqrt(d.x * d.x + d.y * d.y) > ZapRadius) {
            continue;
        }
        DamageEnemy(*enemy, Damage, fixture);
        Target = thing->Pos;
        StartCoroutine<&ShrimpZapperBhv::BoltStep>();
        return true;
    }
    return false;
}

CoCommand ShrimpZapperBhv::BoltStep(int step) {
    GameObject* bolt = FindOrCreateDisplay(SubFrontLayer, "BoltDisplay");
    Vector2 s;
    if (!bolt || !SubPosition(s)) {
        return CoEnd();
    }
    StretchBetween(*bolt, s, Target);
    SpriteComponent* sprite = bolt->Sprite();
    switch (step) {
    case 0:
        SetSwitchedOn(*bolt, true);
        return CoWaitFrames(2);
    case 1:
        if (sprite) {
            sprite->Size.x = -sprite->Size.x;
        }
        return CoWaitFrames(2);
    case 2:
        if (sprite) {
            sprite->Size = {-sprite->Size.x, -sprite->Size.y};
        }
        return CoWaitFrames(2);
    case 3:
        if (sprite) {
            sprite->Size.y = -sprite->Size.y;
        }
        return CoWaitFrames(2);
    default:
        SetSwitchedOn(*bolt, false);
        return CoEnd();
    }
}
