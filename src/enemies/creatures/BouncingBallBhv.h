#pragma once

#include "core/Behavior.h"
#include "core/Vector2.h"

// A decoration for title screens: floats in a 16 x 9 box with random size, colour and spin,
// turning back at the box's edges. Moves its Pos2dComponent directly, not through physics.
class BouncingBallBhv : public Behavior {
public:
    static constexpr const char* ClassName = "BouncingBallBhv";
    static constexpr float BoxWidth = 16.0f;
    static constexpr float BoxHeight = 9.0f;

    BouncingBallBhv();
    // Rolls position, rotation, size, colour and both velocities.
    void Start() override;
    void Update() override;

    Vector2 Velocity;
    float AngularVelocity = 0.0f;
};
