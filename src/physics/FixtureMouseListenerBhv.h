#pragma once

#include "core/Behavior.h"

// Tells its object whether the mouse pointer lies over one of the object's fixtures (by bounding
// box). The picking query (FixtureMouseManagerBhv) sets hitThisFrame; this behaviour's HandleInput
// turns it into isMouseOver, so the answer describes the latest query that ran before it.
class FixtureMouseListenerBhv : public Behavior {
public:
    static constexpr const char* ClassName = "FixtureMouseListenerBhv";

    void HandleInput() override;

    bool isMouseOver = false;
    bool hitThisFrame = false;
};
