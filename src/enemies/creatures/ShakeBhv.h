#pragma once

#include "core/Behavior.h"
#include "core/Vector2.h"

// Jitters the sprite around its rest origin: the body stays put, only the picture shakes.
class ShakeBhv : public Behavior {
public:
    static constexpr const char* ClassName = "ShakeBhv";

    ShakeBhv();
    void Start() override;

    float ShakeDistance = 0.1f;
    float ShakePeriod = 0.1f;

private:
    CoCommand ShakeStep(int step);

    Vector2 restOrigin_;
};
