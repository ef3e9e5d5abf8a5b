#include "physics/B2BodyComponent.h"

#include <box2d/b2_body.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_world.h>

#include "core/GameObject.h"
#include "core/Service.h"
#include "physics/B2FixtureComponent.h"
#include "physics/PhysicsWorld.h"

B2BodyComponent* IComponentShortcuts::Body() const {
    return static_cast<B2BodyComponent*>(GetSlot(ShortcutSlot::Body));
}

B2BodyComponent::B2BodyComponent() {
    RegisterProxyProperty<Vector2>("Pos", this, &B2BodyComponent::GetPosition,
                                   [](B2BodyComponent* self, Vector2 p) { self->SetPosition(p.x, p.y); });
    RegisterProxyProperty<float>("Angle", this, &B2BodyComponent::GetAngle, &B2BodyComponent::SetAngle);
    RegisterProxyProperty<int>("Type", this, &B2BodyComponent::GetType, &B2BodyComponent::SetType);
    RegisterProxyProperty<bool>("IsAwake", this, &B2BodyComponent::GetIsAwake, &B2BodyComponent::SetIsAwake);
    RegisterProxyProperty<float>("LinearDamping", this, &B2BodyComponent::GetLinearDamping,
                                 &B2BodyComponent::SetLinearDamping);
    RegisterProxyProperty<float>("AngularDamping", this, &B2BodyComponent::GetAngularDamping,
                                 &B2BodyComponent::SetAngularDamping);
    RegisterProxyProperty<bool>("IsFixedRotation", this, &B2BodyComponent::GetIsFixedRotation,
                                &B2BodyComponent::SetIsFixedRotation);
    RegisterProxyProperty<bool>("IsBullet", this, &B2BodyComponent::GetIsBullet,
                                &B2BodyComponent::SetIsBullet);
    RegisterProxyProperty<float>("GravityScale", this, &B2BodyComponent::GetGravityScale,
                                 &B2BodyComponent::SetGravityScale);
}

B2BodyComponent::~B2BodyComponent() {
    if (!body) {
        return;
    }
    // The fixtures die with the body: their components must not keep pointing at them, whichever
    // object they are attached to by now.
    for (b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
        if (auto* component = reinterpret_cast<B2FixtureComponent*>(f->GetUserData().pointer)) {
            component->fixture = nullptr;
        }
    }
    BeforeProxyTeardown(*body->GetWorld());
    body->GetWorld()->DestroyBody(body);
    body = nullptr;
}

b2Body* B2BodyComponent::GetBody() const {
    if (!body) {
        const b2BodyDef definition; // static, at the origin, awake, enabled, no user data
        body = Service<b2World>::Get().CreateBody(&definition);
    }
    return body;
}

void B2BodyComponent::SetBodyActive(bool active) {
    if (body) {
        body->SetEnabled(active);
    }
}

Vector2 B2BodyComponent::GetPosition() const {
    const b2Vec2& p = GetBody()->GetPosition();
    return {p.x, p.y};
}

void B2BodyComponent::SetPosition(float x, float y) {
    b2Body* b = GetBody();
    b->SetTransform(b2Vec2(x, y), b->GetAngle());
}

void B2BodyComponent::SetMirrored(bool mirrored) {
    GetBody();
    if (!Owner) {
        return;
    }
    // By index: a rebuild never changes the component list, but this stays safe if it did.
    for (size_t i = 0; i < Owner->Components.size(); ++i) {
        auto* fixture = dynamic_cast<B2FixtureComponent*>(Owner->Components[i]);
        if (fixture && fixture->isMirrored != mirrored) {
            fixture->isMirrored = mirrored;
            fixture->RebuildFixture();
        }
    }
}

float B2BodyComponent::BodyAngle() const {
    return GetBody()->GetTransform().q.GetAngle();
}

float B2BodyComponent::GetAngle() const {
    return GetBody()->GetAngle();
}

void B2BodyComponent::SetAngle(float angle) {
    b2Body* b = GetBody();
    b->SetTransform(b->GetPosition(), angle);
}

int B2BodyComponent::GetType() const {
    return static_cast<int>(GetBody()->GetType());
}

void B2BodyComponent::SetType(int type) {
    b2Body* b = GetBody();
    // Only the three body kinds exist; any other number leaves the body as it is.
    if (type >= b2_staticBody && type <= b2_dynamicBody) {
        b->SetType(static_cast<b2BodyType>(type));
    }
}

bool B2BodyComponent::GetIsAwake() const {
    return GetBody()->IsAwake();
}

// Box2D's sleep also zeroes the velocities, force and torque.
void B2BodyComponent::SetIsAwake(bool awake) {
    GetBody()->SetAwake(awake);
}

float B2BodyComponent::GetLinearDamping() const {
    return GetBody()->GetLinearDamping();
}

void B2BodyComponent::SetLinearDamping(float damping) {
    GetBody()->SetLinearDamping(damping);
}

float B2BodyComponent::GetAngularDamping() const {
    return GetBody()->GetAngularDamping();
}

void B2BodyComponent::SetAngularDamping(float damping) {
    GetBody()->SetAngularDamping(damping);
}

bool B2BodyComponent::GetIsFixedRotation() const {
    return GetBody()->IsFixedRotation();
}

void B2BodyComponent::SetIsFixedRotation(bool fixed) {
    b2Body* b = GetBody();
    b->SetFixedRotation(fixed);
    b->ResetMassData();
}

bool B2BodyComponent::GetIsBullet() const {
    return GetBody()->IsBullet();
}

void B2BodyComponent::SetIsBullet(bool bullet) {
    GetBody()->SetBullet(bullet);
}

float B2BodyComponent::GetGravityScale() const {
    return GetBody()->GetGravityScale();
}

void B2BodyComponent::SetGravityScale(float scale) {
    GetBody()->SetGravityScale(scale);
}
