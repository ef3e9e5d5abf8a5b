#include "enemies/boss/En_MantisShrimpBhv.h"

#include <cmath>
#include <string>

#include <box2d/b2_body.h>

#include "audio/CueManagerBhv.h"
#include "components/SpriteComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "enemies/Submarine.h"
#include "enemies/damage/EnemyComponent.h"
#include "events/BossEvents.h"
#include "events/Events.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"
#include "world/things/RandomDropBhv.h"
#include "world/things/ThingRootBhv.h"

namespace {

constexpr float FacingDeadBand = 0.05f;
const Color HurtTint(255, 68, 68, 255);

} // namespace

En_MantisShrimpBhv::En_MantisShrimpBhv() {
    RegisterProperty("MovementSpeed", &MovementSpeed);
    RegisterProperty("SeekTime", &SeekTime);
    RegisterProperty("WindUpTime", &WindUpTime);
    RegisterProperty("PostShootTime", &PostShootTime);
    for (int i = 0; i < VolleySize; ++i) {
        RegisterProperty("Projectile0" + std::to_string(i + 1), &Projectiles[i]);
    }
    RegisterProperty("ProjectileOffset", &ProjectileOffset);
    RegisterProperty("ProjectileVelocity", &ProjectileVelocity);
}

void En_MantisShrimpBhv::Start() {
    if (EnemyComponent* enemy = Enemy()) {
        enemy->damageHandler = [this](EnemyDamageInfo& info) {
            OnDamaged(info);
        };
    }
    StartCoroutine<&En_MantisShrimpBhv::MainStep>();
}

void En_MantisShrimpBhv::Update() {
    B2BodyComponent* bodyComponent = Body();
    if (!isSeeking_ || !bodyComponent || !Owner) {
        return;
    }
    b2Body* body = bodyComponent->GetBody();
    Vector2 sub;
    if (SubmarinePosition(sub) && body->GetType() == b2_dynamicBody) {
        const Vector2 here = Owner->GetPosition();
        Vector2 d{sub.x - here.x, sub.y - here.y};
        const float length = std::sqrt(d.x * d.x + d.y * d.y);
        if (length > 0.0f) {
            d = {d.x / length, d.y / length};
        }
        const float scale = MovementSpeed * body->GetMass();
        body->ApplyForceToCenter(b2Vec2(d.x * scale, d.y * scale), true);
    }
    const float vx = body->GetLinearVelocity().x;
    SpriteComponent* sprite = Sprite();
    if (vx < -FacingDeadBand) {
        if (sprite) {
            sprite->Size.x = std::fabs(sprite->Size.x);
        }
        bodyComponent->SetMirrored(false);
        isFacingRight_ = false;
    } else if (vx > FacingDeadBand) {
        if (sprite) {
            sprite->Size.x = -std::fabs(sprite->Size.x);
        }
        bodyComponent->SetMirrored(true);
        isFacingRight_ = true;
    }
}

CoCommand En_MantisShrimpBhv::MainStep(int step) {
    SpriteComponent* sprite = Sprite();
    switch (step) {
    case 0:
        isSeeking_ = true;
        isCharged_ = false;
        if (sprite) {
            sprite->SetImageName("MantisShrimp");
        }
        return CoWaitSeconds(SeekTime);
    case 1:
        isSeeking_ = false;
        isCharged_ = true;
        if (sprite) {
            sprite->SetImageName("MantisShrimpCharged");
        }
        playCue("MantisWindup");
        return CoWaitSeconds(WindUpTime);
    case 2:
        Fire();
        playCue("MantisShot");
        return CoWaitSeconds(PostShootTime);
    default:
        return CoRestart();
    }
}

void En_MantisShrimpBhv::Fire() {
    ThingRootBhv* things = WellKnown<ThingRootBhv>::Get();
    if (!things || !Owner) {
        return;
    }
    const float s = isFacingRight_ ? -1.0f : 1.0f;
    const Vector2 here = Owner->GetPosition();
    const Vector2 spawn{here.x + ProjectileOffset.x * s, here.y + ProjectileOffset.y};
    for (const Vector2& direction : Projectiles) {
        const float length = std::sqrt(direction.x * direction.x + direction.y * direction.y);
        Vector2 v;
        if (length > 0.0f) {
            v = {direction.x / length * ProjectileVelocity * s, direction.y / length * ProjectileVelocity};
        }
        GameObject* ball = things->SpawnThing("En_BallProjectile", spawn);
        if (!ball || !ball->Body()) {
            continue;
        }
        b2Body* body = ball->Body()->GetBody();
        body->SetLinearVelocity(b2Vec2(v.x, v.y));
        if (v.x != 0.0f || v.y != 0.0f) {
            body->SetAwake(true);
        }
    }
}

void En_MantisShrimpBhv::OnDamaged(EnemyDamageInfo& info) {
    EnemyComponent* enemy = Enemy();
    if (!enemy || dead_) {
        return;
    }
    const B2FixtureComponent* shell = Owner ? Owner->GetComponentOfType<B2FixtureComponent>() : nullptr;
    if (!isCharged_ || !info.Fixture || info.Fixture != shell) {
        playCue("DamageDeflected");
        return;
    }
    enemy->Health -= info.Damage;
    StartCoroutine<&En_MantisShrimpBhv::HurtTintStep>();
    if (enemy->Health <= 0) {
        Die();
    }
}

void En_MantisShrimpBhv::Die() {
    dead_ = true;
    if (Events* events = Service<Events>::TryGet()) {
        BossEventArgs args{Owner};
        events->Boss->BossDefeated.Raise(&args);
    }
    playCue("EnemyDie");
    if (RandomDropBhv* drop = Owner->GetComponentOfType<RandomDropBhv>()) {
        drop->Drop(Owner->GetPosition());
    }
    Owner->DestroyLater();
}

CoCommand En_MantisShrimpBhv::HurtTintStep(int step) {
    TintComponent* tint = Tint();
    if (step == 0) {
        playCue("EnemyDamage");
    }
    if (step >= 5) {
        if (tint) {
            tint->Tint = Color::White();
        }
        return CoEnd();
    }
    if (tint) {
        tint->Tint = step % 2 == 0 ? HurtTint : Color::White();
    }
    return CoWaitFrames(2);
}
