#pragma once

#include "core/Behavior.h"

// Keeps a moving thing's grid position ("Pos" of its ThingComponent) on its body.
class ThingPosUpdateBhv : public Behavior {
public:
    static constexpr const char* ClassName = "ThingPosUpdateBhv";

    void Update() override;
};
