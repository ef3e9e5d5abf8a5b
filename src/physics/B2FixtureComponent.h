#pragma once

#include <functional>
#include <memory>
#include <string>

#include <box2d/b2_fixture.h>

#include "core/Component.h"
#include "reflection/IEditable.h"

class b2Contact;
class b2Shape;

// One fixture on the owner's body (its Body slot), built from the "Shape" text and the fixture
// definition this component owns. The live fixture's user data is this component, which is how
// contacts and picking find their way back. Without a created body nothing is built: the definition
// keeps the shape until a rebuild finds the body.
class B2FixtureComponent : public Component, public IEditable {
public:
    static constexpr const char* ClassName = "B2FixtureComponent";

    // Called during the world step with the contact and the other side's fixture. Handlers must
    // not create or destroy bodies or fixtures; they defer such work.
    using ContactHandler = std::function<void(b2Contact* contact, b2Fixture* other)>;

    B2FixtureComponent();
    // Destroys the live fixture on its body, so no fixture keeps pointing at a dead component.
    ~B2FixtureComponent() override;

    // The written form of the definition's shape; "" when there is none.
    std::string GetShapeText() const;
    // Replaces the shape from text and rebuilds the fixture. A text that does not match the grammar,
    // or holds a number that does not convert, leaves no shape and the live fixture untouched; an
    // Edge or Chain text, or a shape a body cannot hold, leaves no shape and no fixture.
    void SetShapeText(const std::string& text);

    // Destroys the live fixture, if any, and builds a new one from the definition on the owner's
    // body when that body exists and there is a shape. Polygons are reflected when isMirrored.
    void RebuildFixture();

    b2Fixture* fixture = nullptr; // the live fixture, or null
    ContactHandler beginContactHandler;
    ContactHandler preSolveHandler;
    // friction 0.2, restitution 0, density 1, not a sensor, category 1, mask 0xFFFF, group 0; its
    // shape is owned by this component (shape below).
    b2FixtureDef definition;
    bool isBox = false; // the shape came from a "Box" text
    float boxHalfWidth = 0.0f;
    float boxHalfHeight = 0.0f;
    bool isMirrored = false; // set through B2BodyComponent::SetMirrored

private:
    float GetFriction() const;
    void SetFriction(float friction);
    float GetRestitution() const;
    void SetRestitution(float restitution);
    float GetDensity() const;
    void SetDensity(float density);
    bool GetIsSensor() const;
    void SetIsSensor(bool sensor);
    void DestroyFixture();

    std::unique_ptr<b2Shape> shape; // what definition.shape points at
};
