#pragma once

#include "core/Behavior.h"
#include "enemies/damage/EnemyDamageInfo.h"

class b2Contact;
class b2Fixture;

// A ball the mantis shrimp fires: it never bounces off anything, flies through pickups and other
// creatures, and vanishes on terrain, on the submarine (which takes its contact damage) and at any
// hit.
class En_ProjectileBhv : public Behavior {
public:
    static constexpr const char* ClassName = "En_ProjectileBhv";

    // Binds OnDamaged into the enemy's handler and OnPreSolve into the first fixture.
    void Start() override;

    void OnDamaged(EnemyDamageInfo& info);
    void OnPreSolve(b2Contact* contact, b2Fixture* other);
};
