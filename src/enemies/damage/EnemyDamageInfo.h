#pragma once

class B2FixtureComponent;

// One hit on an enemy, handed by reference to its damage handler.
struct EnemyDamageInfo {
    int Damage = 0;                        // the amount to subtract from the enemy's health
    B2FixtureComponent* Fixture = nullptr; // the enemy's fixture that was hit; not owned
};
