#pragma once

#include "core/Behavior.h"

// A one-use rocket: multiplies the submarine's thrust for a while when fired.
class BoostRocketBhv : public Behavior {
public:
    static constexpr const char* ClassName = "BoostRocketBhv";

    BoostRocketBhv();

    void HandleInput() override;

    float BoostDuration = 1.0f;
    float BoostMultiplier = 3.0f;
};
