#pragma once

#include "core/Behavior.h"
#include "core/Color.h"
#include "core/Vector2.h"

// A lunge at the submarine once it comes within range: the creature pales, puffs up and pulses
// dark as a warning, then
// springs in the direction the submarine was in when the attack began, and rests before it can
// attack again.
class ProximityAttackBhv : public Behavior {
public:
    static constexpr const char* ClassName = "ProximityAttackBhv";

    ProximityAttackBhv();

    // Considers the submarine as the target.
    void Update() override;
    // Starts an attack when the target is within range of the thing's position and none runs.
    void ConsiderTarget(Vector2 target);

    bool IsAttacking() const { return isAttacking_; }
    Vector2 AttackDirection() const { return direction_; }

    float AttackRange = 4.0f;
    float AttackDelay = 0.5f;
    float AttackForce = 1.0f;
    float AttackCooldown = 2.0f;

    // The warning's look: how much the sprite grows, and the dark beat it pulses to.
    static constexpr float WarnGrowth = 1.35f;
    static constexpr Color WarnDarkTint{90, 40, 40, 255};
    static constexpr int WarnPulseFrames = 4;

private:
    CoCommand AttackStep(int step);
    CoCommand WarnStep(int step);

    bool isAttacking_ = false;
    Vector2 direction_;
    Color savedTint_ = Color::White();
    Vector2 savedSize_;
};
