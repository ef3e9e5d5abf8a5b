#pragma once

#include "core/Component.h"
#include "core/Vector2.h"
#include "reflection/IEditable.h"

class b2Body;

// One Box2D body in the physics world (the b2World service), created on the first access of any
// property or operation from a default definition: static at (0, 0), angle 0, at rest, awake, no
// damping, enabled. Its properties read and write the live body. Destroying the component destroys
// the body and with it every fixture on it; the world must still exist then.
class B2BodyComponent : public Component, public IEditable {
public:
    static constexpr const char* ClassName = "B2BodyComponent";

    B2BodyComponent();
    ~B2BodyComponent() override;

    ShortcutSlot Slot() const override { return ShortcutSlot::Body; }
    Vector2 BodyPosition() const override { return GetPosition(); }
    // The angle of the body's transform (from its sine and cosine), in [-pi, pi].
    float BodyAngle() const override;
    // Enables or disables an existing body; never creates one.
    void SetBodyActive(bool active) override;

    // The body, created on first use. Not while the world steps (contact handlers must not call it
    // on a component whose body does not exist yet).
    b2Body* GetBody() const;
    // Whether the body has been created; asks nothing of the world.
    bool HasBody() const { return body != nullptr; }

    Vector2 GetPosition() const;
    // Moves the body, keeping its angle.
    void SetPosition(float x, float y);

    // For every B2FixtureComponent of the owner, in component order, whose mirroring differs:
    // records the new value and rebuilds its fixture (polygons reflected about the body's y axis).
    // The shape texts stay the unmirrored ones.
    void SetMirrored(bool mirrored);

private:
    float GetAngle() const;
    void SetAngle(float angle);
    int GetType() const;
    void SetType(int type);
    bool GetIsAwake() const;
    void SetIsAwake(bool awake);
    float GetLinearDamping() const;
    void SetLinearDamping(float damping);
    float GetAngularDamping() const;
    void SetAngularDamping(float damping);
    bool GetIsFixedRotation() const;
    void SetIsFixedRotation(bool fixed);
    bool GetIsBullet() const;
    void SetIsBullet(bool bullet);
    float GetGravityScale() const;
    void SetGravityScale(float scale);

    // Created lazily, also from const readers, hence mutable.
    mutable b2Body* body = nullptr;
};
