#pragma once

#include "core/Behavior.h"

// Darts about: an impulse of random strength in a random direction, then a random pause. The
// sprite faces the way it darts; it holds still while its ProximityAttackBhv attacks.
class RandomDartBhv : public Behavior {
public:
    static constexpr const char* ClassName = "RandomDartBhv";

    RandomDartBhv();
    void Start() override;

    float ImpulseMin = 2.0f;
    float ImpulseMax = 2.0f;
    float DelayMin = 1.0f;
    float DelayMax = 2.0f;

private:
    CoCommand DartStep(int step);
};
