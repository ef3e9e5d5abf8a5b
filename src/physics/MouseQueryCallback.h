#pragma once

#include <box2d/b2_world_callbacks.h>

// Marks the first FixtureMouseListenerBhv of the object behind every reported fixture as hit.
// Fixtures without a component, and objects without a listener, are passed over; the query always
// continues.
class MouseQueryCallback : public b2QueryCallback {
public:
    bool ReportFixture(b2Fixture* fixture) override;
};
