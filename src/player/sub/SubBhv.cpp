#include "player/sub/SubBhv.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <box2d/b2_body.h>
#include <box2d/b2_contact.h>
#include <box2d/b2_fixture.h>

#include "audio/CueManagerBhv.h"
#include "components/SpriteComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/GraphicsManager.h"
#include "core/SaturatingMath.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"
#include "player/EnemyLink.h"
#include "player/HudMessage.h"
#include "player/items/InventoryBhv.h"
#include "player/pickups/IPickup.h"
#include "world/things/ThingComponent.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/things/ThingRootBhv.h"

namespace {

const Vector2 SurfaceSpawn{9.5f, -15.0f};
const Vector2 DeepSpawn{75.0f, -226.0f};
const Vector2 SecondStation{75.0f, -219.0f};

// Low bound first: a view wider than the world sticks to its low edge.
float ClampLowFirst(float value, float low, float high) {
    if (value < low) {
        return low;
    }
    if (value > high) {
        return high;
    }
    return value;
}

B2FixtureComponent* ComponentOf(b2Fixture* fixture) {
    return fixture ? reinterpret_cast<B2FixtureComponent*>(fixture->GetUserData().pointer) : nullptr;
}

bool HasPickupPrefix(const GameObject& object) {
    return object.PrefabName.compare(0, 5, "Pkup_") == 0;
}

// Whether the second supply station, which the world's events place once the boss is beaten,
// stands in the world.
bool SecondStationStands() {
    const ThingRootBhv* things = WellKnown<ThingRootBhv>::Get();
    const ThingGridCellBhv* cell = things ? things->GetCellAt(SecondStation) : nullptr;
    if (!cell || !cell->Owner) {
        return false;
    }
    for (const GameObject* child : cell->Owner->Children) {
        const ThingComponent* thing = child->Thing();
        // One on its way out (a new game's world) no longer counts.
        if (child->PrefabName == "SupplyStation" && thing && !child->PendingDestroy &&
            std::fabs(thing->Pos.x - SecondStation.x) < 0.5f &&
            std::fabs(thing->Pos.y - SecondStation.y) < 0.5f) {
            return true;
        }
    }
    return false;
}

} // namespace

GameObject* Submarine() {
    SubBhv* sub = WellKnown<SubBhv>::Get();
    return sub ? sub->Owner : nullptr;
}

SubBhv::SubBhv() {
    RegisterProperty("MovementForce", &MovementForce);
    RegisterProperty("RightingTorque", &RightingTorque);
    RegisterProperty("MagnetRadius", &MagnetRadius);
    RegisterProperty("MagnetForce", &MagnetForce);
}

SubBhv::~SubBhv() {
    WellKnown<SubBhv>::ClearIf(this);
}

void SubBhv::Start() {
    respawn();
    SubBhv* current = WellKnown<SubBhv>::Get();
    if (current != this) {
        if (current && current->Owner && current->Owner != Owner) {
            current->Owner->DestroyLater();
        }
        WellKnown<SubBhv>::Register(this);
    }
    if (B2FixtureComponent* fixture = Owner ? Owner->GetComponentOfType<B2FixtureComponent>() : nullptr) {
        fixture->beginContactHandler = [this](b2Contact* contact, b2Fixture* other) {
            onBeginContact(contact, other);
        };
        fixture->preSolveHandler = [this](b2Contact* contact, b2Fixture* other) {
            onPreSolve(contact, other);
        };
    }
}

Vector2 SubBhv::SpawnPoint() {
    return SecondStationStands() ? DeepSpawn : SurfaceSpawn;
}

void SubBhv::respawn() {
    B2BodyComponent* body = Body();
    if (!body) {
        return;
    }
    const Vector2 spawn = SpawnPoint();
    body->SetPosition(spawn.x, spawn.y);
    b2Body* b = body->GetBody();
    b->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
    if (b->GetType() != b2_staticBody) {
        b->SetAwake(true);
        b->SetAngularVelocity(2.0f);
    }
    b->SetTransform(b2Vec2(spawn.x, spawn.y), 0.0f);
    Tilt = 0.0f;
    PeakTilt = 0.0f;
}

void SubBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    B2BodyComponent* body = Body();
    if (!input || !body) {
        return;
    }
    const float x = (input->IsActionDown(Action::MoveRight) ? 1.0f : 0.0f) -
                    (input->IsActionDown(Action::MoveLeft) ? 1.0f : 0.0f);
    const float y = (input->IsActionDown(Action::MoveUp) ? 1.0f : 0.0f) -
                    (input->IsActionDown(Action::MoveDown) ? 1.0f : 0.0f);
    if (x * x + y * y == 0.0f) {
        return;
    }
    b2Body* b = body->GetBody();
    if (b->GetType() != b2_dynamicBody) {
        return;
    }
    // A force from a save or the editor may be any float: bounded here, as an infinite push would
    // fill the physics with NaN.
    const float force = MovementForce * SpeedMultiplier;
    if (std::isnan(force)) {
        return;
    }
    const float scale = b->GetMass() * std::clamp(force, -MaxMovementForce, MaxMovementForce);
    b->ApplyForceToCenter(b2Vec2(scale * x, scale * y), true);
}

void SubBhv::Update() {
    B2BodyComponent* body = Body();
    if (!body) {
        RunBoostTimer();
        return;
    }
    const Vector2 position = body->GetPosition();
    FollowWithCamera(position);
    ApplyRightingTorque();
    Face();
    PullPickups(position);
    RunBoostTimer();
}

void SubBhv::FollowWithCamera(Vector2 position) {
    GraphicsManager* graphics = Service<GraphicsManager>::TryGet();
    if (!graphics) {
        return;
    }
    Camera2d& camera = graphics->WorldCamera;
    const float hx = std::fabs(camera.Size.x) * 0.5f;
    const float hy = std::fabs(camera.Size.y) * 0.5f;
    camera.Position.x = ClampLowFirst(position.x, hx, WorldWidth - hx);
    camera.Position.y = ClampLowFirst(position.y, hy - WorldDepth, -hy);
}

void SubBhv::ApplyRightingTorque() {
    b2Body* b = Body()->GetBody();
    if (b->GetType() != b2_dynamicBody) {
        return;
    }
    // Box2D keeps the angle unwrapped; the stop below brings any roll back to the limit at once.
    float angle = b->GetAngle();
    // The peak is taken before the stop, so it shows how far one physics step carried the hull.
    PeakTilt = std::max(PeakTilt, std::fabs(angle));
    if (std::fabs(angle) > MaxTilt) {
        // A hard stop rather than a stiffer spring: a spring strong enough to beat a corner contact
        // also fights the drill's recoil while digging. Only the spin away from upright is taken.
        angle = std::copysign(MaxTilt, angle);
        b->SetTransform(b->GetPosition(), angle);
        if (b->GetAngularVelocity() * angle > 0.0f) {
            b->SetAngularVelocity(0.0f);
        }
    }
    b->ApplyTorque(-RightingTorque * b->GetMass() * angle, true);
    Tilt = angle;
}

void SubBhv::Face() {
    SpriteComponent* sprite = Sprite();
    B2BodyComponent* body = Body();
    const float vx = body->GetBody()->GetLinearVelocity().x;
    if (vx < -FacingDeadBand) {
        if (sprite) {
            sprite->Size.x = -std::fabs(sprite->Size.x);
        }
        body->SetMirrored(true);
    } else if (vx > FacingDeadBand) {
        if (sprite) {
            sprite->Size.x = std::fabs(sprite->Size.x);
        }
        body->SetMirrored(false);
    }
}

void SubBhv::PullPickups(Vector2 position) {
    magnetHits_.clear();
    ThingRootBhv::QueryFixturesInSquare(position, MagnetRadius, magnetHits_);
    for (B2FixtureComponent* hit : magnetHits_) {
        GameObject* object = hit->Owner;
        IPickup* pickup = object && !object->PendingDestroy ? FindPickup(*object) : nullptr;
        if (!pickup || !pickup->canPickUp()) {
            continue;
        }
        const Vector2 d = position - object->GetPosition();
        const float r = std::sqrt(d.x * d.x + d.y * d.y);
        // A pickup at the very centre has no direction to be pulled in.
        if (!(r > 0.0f) || r > MagnetRadius) {
            continue;
        }
        B2BodyComponent* pickupBody = object->Body();
        if (!pickupBody) {
            continue;
        }
        b2Body* b = pickupBody->GetBody();
        if (b->GetType() == b2_staticBody) {
            continue;
        }
        const float speed = MagnetForce / (r * r * r);
        const b2Vec2 velocity(d.x * speed, d.y * speed);
        if (!std::isfinite(velocity.x) || !std::isfinite(velocity.y)) {
            continue;
        }
        b->SetLinearVelocity(velocity);
        if (velocity.x != 0.0f || velocity.y != 0.0f) {
            b->SetAwake(true);
        }
    }
}

void SubBhv::RunBoostTimer() {
    if (BoostTimeLeft > 0.0f) {
        const GameTime* time = Service<GameTime>::TryGet();
        BoostTimeLeft -= time ? time->FrameDelta : 0.0f;
        return;
    }
    BoostTimeLeft = 0.0f;
    if (SpeedMultiplier != 1.0f) {
        SpeedMultiplier = 1.0f;
        playCue("RocketBoostEnd");
    }
}

void SubBhv::onBeginContact(b2Contact* /*contact*/, b2Fixture* other) {
    B2FixtureComponent* component = ComponentOf(other);
    if (!component || !component->Owner) {
        return;
    }
    if (component->Owner->PendingDestroy) {
        return; // collected already this frame
    }
    if (IPickup* pickup = FindPickup(*component->Owner); pickup && pickup->canPickUp()) {
        pickup->pickUp();
    }
}

void SubBhv::onPreSolve(b2Contact* contact, b2Fixture* other) {
    B2FixtureComponent* component = ComponentOf(other);
    if (!component || !component->Owner) {
        return;
    }
    GameObject& object = *component->Owner;
    if (HasPickupPrefix(object)) {
        contact->SetEnabled(false);
        return;
    }
    Component* enemy = FindEnemy(object);
    if (!enemy) {
        return;
    }
    const EnemyValues values = ReadEnemyValues(*enemy);
    if (values.ContactDamage <= 0) {
        return;
    }
    if (!IsCoroutineRunning<&SubBhv::DamageStep>()) {
        takeDamage(values.ContactDamage, EnemyHurtName(*enemy), object.GetPosition());
    }
    if (values.AllowPassThru) {
        contact->SetEnabled(false);
    }
}

void SubBhv::takeDamage(int amount) {
    if (IsCoroutineRunning<&SubBhv::DamageStep>()) {
        return;
    }
    LastHurtBy.clear();
    HasHurtFrom = false;
    PendingDamage = amount;
    StartCoroutine<&SubBhv::DamageStep>();
}

void SubBhv::takeDamage(int amount, const std::string& cause, Vector2 from) {
    if (IsCoroutineRunning<&SubBhv::DamageStep>()) {
        return;
    }
    // Set before the routine starts: its first step tells the player at once.
    LastHurtBy = cause;
    LastHurtFrom = from;
    HasHurtFrom = true;
    PendingDamage = amount;
    StartCoroutine<&SubBhv::DamageStep>();
}

namespace {

// The hull's colour while it is being hit: it reads as a hit even on the frames it is drawn.
constexpr Color HurtTint{255, 70, 70, 255};

void TintHull(GameObject* owner, Color tint) {
    if (TintComponent* component = owner ? owner->Tint() : nullptr) {
        component->Tint = tint;
    }
}

} // namespace

CoCommand SubBhv::DamageStep(int step) {
    if (step == 0) {
        applyDamage(PendingDamage);
        DamageTaken = SaturatingAdd(DamageTaken, PendingDamage);
        TellHit();
        StartCoroutine<&SubBhv::BlinkStep>();
        return CoWaitSeconds(DamageWindow);
    }
    StopCoroutine<&SubBhv::BlinkStep>();
    if (Owner) {
        Owner->DrawEnabled = true;
    }
    TintHull(Owner, Color::White());
    return CoEnd();
}

void SubBhv::TellHit() const {
    const InventoryBhv* inventory = WellKnown<InventoryBhv>::Get();
    const std::string cause = LastHurtBy.empty() ? std::string("something") : LastHurtBy;
    if (inventory && inventory->Health <= 0) {
        // Said for as long as the wreck lies there, so the player reads why before the respawn.
        showHudMessage("Killed by " + cause, InventoryBhv::DeathDuration);
        return;
    }
    showHudMessage("Hit by " + cause + ": -" + std::to_string(PendingDamage) + " HP");
}

CoCommand SubBhv::BlinkStep(int step) {
    switch (step) {
    case 0:
        if (Owner) {
            Owner->DrawEnabled = false;
        }
        return CoWaitFrames(2);
    case 1:
        if (Owner) {
            Owner->DrawEnabled = true;
        }
        TintHull(Owner, HurtTint);
        return CoWaitFrames(2);
    default:
        return CoRestart();
    }
}
