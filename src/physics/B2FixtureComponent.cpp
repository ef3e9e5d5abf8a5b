#include "physics/B2FixtureComponent.h"

#include <cstdint>

#include <box2d/b2_body.h>
#include <box2d/b2_polygon_shape.h>

#include "core/GameObject.h"
#include "physics/B2BodyComponent.h"
#include "physics/PhysicsWorld.h"
#include "physics/ShapeText.h"

B2FixtureComponent::B2FixtureComponent() {
    definition.friction = 0.2f;
    definition.restitution = 0.0f;
    definition.density = 1.0f; // Box2D's own default of 0 would make every body massless
    definition.isSensor = false;
    definition.shape = nullptr;

    RegisterProxyProperty<std::string>("Shape", this, &B2FixtureComponent::GetShapeText,
                                       &B2FixtureComponent::SetShapeText);
    RegisterProxyProperty<float>("Friction", this, &B2FixtureComponent::GetFriction,
                                 &B2FixtureComponent::SetFriction);
    RegisterProxyProperty<float>("Restitution", this, &B2FixtureComponent::GetRestitution,
                                 &B2FixtureComponent::SetRestitution);
    RegisterProxyProperty<float>("Density", this, &B2FixtureComponent::GetDensity,
                                 &B2FixtureComponent::SetDensity);
    RegisterProxyProperty<bool>("IsSensor", this, &B2FixtureComponent::GetIsSensor,
                                &B2FixtureComponent::SetIsSensor);
}

B2FixtureComponent::~B2FixtureComponent() {
    DestroyFixture();
}

std::string B2FixtureComponent::GetShapeText() const {
    return ShapeText::Format(shape.get(), isBox, boxHalfWidth, boxHalfHeight);
}

void B2FixtureComponent::SetShapeText(const std::string& text) {
    definition.shape = nullptr;
    shape.reset();
    ShapeText::Parsed parsed = ShapeText::Parse(text);
    if (!parsed.Accepted) {
        return;
    }
    isBox = parsed.IsBox;
    boxHalfWidth = parsed.BoxHalfWidth;
    boxHalfHeight = parsed.BoxHalfHeight;
    shape = std::move(parsed.Shape);
    definition.shape = shape.get();
    RebuildFixture();
}

void B2FixtureComponent::RebuildFixture() {
    B2BodyComponent* bodyComponent = Owner ? Owner->Body() : nullptr;
    if (!bodyComponent || !bodyComponent->HasBody()) {
        return;
    }
    DestroyFixture();
    if (!shape) {
        return;
    }
    b2FixtureDef def = definition;
    b2PolygonShape mirrored;
    if (isMirrored && shape->GetType() == b2Shape::e_polygon) {
        ShapeText::SetMirroredPolygon(mirrored, static_cast<const b2PolygonShape&>(*shape));
        def.shape = &mirrored; // Box2D clones the shape into the fixture
    }
    def.userData.pointer = reinterpret_cast<uintptr_t>(this);
    fixture = bodyComponent->GetBody()->CreateFixture(&def);
}

void B2FixtureComponent::DestroyFixture() {
    if (fixture) {
        BeforeProxyTeardown(*fixture->GetBody()->GetWorld());
        fixture->GetBody()->DestroyFixture(fixture);
        fixture = nullptr;
    }
}

float B2FixtureComponent::GetFriction() const {
    return fixture ? fixture->GetFriction() : definition.friction;
}

void B2FixtureComponent::SetFriction(float friction) {
    definition.friction = friction;
    if (fixture) {
        fixture->SetFriction(friction);
    }
}

float B2FixtureComponent::GetRestitution() const {
    return fixture ? fixture->GetRestitution() : definition.restitution;
}

void B2FixtureComponent::SetRestitution(float restitution) {
    definition.restitution = restitution;
    if (fixture) {
        fixture->SetRestitution(restitution);
    }
}

float B2FixtureComponent::GetDensity() const {
    return fixture ? fixture->GetDensity() : definition.density;
}

// The body's mass stays as it was until something recomputes it.
void B2FixtureComponent::SetDensity(float density) {
    definition.density = density;
    if (fixture) {
        fixture->SetDensity(density);
    }
}

bool B2FixtureComponent::GetIsSensor() const {
    return fixture ? fixture->IsSensor() : definition.isSensor;
}

void B2FixtureComponent::SetIsSensor(bool sensor) {
    definition.isSensor = sensor;
    if (fixture) {
        fixture->SetSensor(sensor);
    }
}
