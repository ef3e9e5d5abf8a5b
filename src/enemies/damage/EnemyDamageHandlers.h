#pragma once

#include "player/EnemyLink.h"

// How the player's tools reach a creature: damage goes to its EnemyComponent's damage handler.
// Installed once, as the game's Service<EnemyDamageSender>.
class EnemyDamageHandlers : public EnemyDamageSender {
public:
    bool SendDamage(Component& enemy, int damage, B2FixtureComponent* fixture) override;
};
