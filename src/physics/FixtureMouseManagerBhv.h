#pragma once

#include "core/Behavior.h"
#include "core/Vector2.h"

// Runs the picking query once per input pass: every fixture whose bounding box overlaps a small
// square around the mouse pointer marks its object's FixtureMouseListenerBhv as hit. One instance
// sits in the scene.
class FixtureMouseManagerBhv : public Behavior {
public:
    static constexpr const char* ClassName = "FixtureMouseManagerBhv";

    // Half the side of the square around the pointer, world units.
    static constexpr float PickHalfSize = 0.0625f;

    // Takes the mouse position from the input manager through the World camera and queries there.
    void HandleInput() override;

    // The query itself, around a point in world units.
    static void QueryAt(Vector2 worldPoint);
};
