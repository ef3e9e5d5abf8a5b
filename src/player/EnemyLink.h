#pragma once

#include <string>

class B2FixtureComponent;
class Component;
class GameObject;

// What the player's tools and hull need of a creature: its combat values and a way to hurt it.
// The creature's component is reached through the owner's Enemy shortcut slot, and its values
// through its published properties, so this side needs nothing of the creature's own classes.
struct EnemyValues {
    int Hardness = 5;
    int ContactDamage = 1;
    bool IsShrimp = false;
    bool AllowPassThru = false;
};

// The enemy component of an object (its Enemy slot), or null.
Component* FindEnemy(const GameObject& object);

// The combat values of an enemy component, read from its properties; a missing or unreadable
// property keeps its default.
EnemyValues ReadEnemyValues(const Component& enemy);

// What the player is told hurt the submarine: "a Sea Urchin", "an Eel"; "a creature" when the enemy
// has no display name. Read only when a hit lands, since it copies a string.
std::string EnemyHurtName(const Component& enemy);

// How damage reaches a creature's damage handler: the creatures' side implements it and installs it
// as Service<EnemyDamageSender>; until it does, nothing is hurt.
class EnemyDamageSender {
public:
    // Hands damage to the enemy's handler with the fixture that was hit; returns whether a handler
    // took it.
    virtual bool SendDamage(Component& enemy, int damage, B2FixtureComponent* fixture) = 0;

protected:
    ~EnemyDamageSender() = default;
};

// Damage through the installed sender; returns whether a handler took it. An enemy without a
// handler is not hurt.
bool DamageEnemy(Component& enemy, int damage, B2FixtureComponent* fixture);
