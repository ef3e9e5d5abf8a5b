#pragma once

#include "core/Behavior.h"
#include "enemies/damage/EnemyDamageInfo.h"

class b2Contact;
class b2Fixture;

// The usual reaction of an enemy to damage: it blinks and squeaks while it has health left; at 0 it
// dies (a chest opens), frees the cells it held, drops its loot and leaves the world. Pickups pass
// through every fixture of its object.
class EnStandardDamageBhv : public Behavior {
public:
    static constexpr const char* ClassName = "EnStandardDamageBhv";
    static constexpr float HurtSeconds = 0.15f;

    // Binds OnDamaged into the enemy's handler, fills its health and binds the pickup pass-through
    // into every fixture of the object.
    void Start() override;

    void OnDamaged(EnemyDamageInfo& info);
    void OnPreSolve(b2Contact* contact, b2Fixture* other);

private:
    void Die();
    CoCommand HurtStep(int step);
    CoCommand BlinkStep(int step);

    bool dead_ = false;
};
