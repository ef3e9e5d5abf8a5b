#pragma once

#include <functional>
#include <string>

#include "core/Component.h"
#include "enemies/damage/EnemyDamageInfo.h"
#include "reflection/IEditable.h"
#include "world/tiles/TileHeld.h"

// Health and combat values of an enemy (a chest included: it opens instead of dying). Damage
// reaches the enemy only through damageHandler, which a behaviour binds itself into; an enemy
// whose handler is empty cannot be hurt.
class EnemyComponent : public Component, public IEditable, public TileHeld {
public:
    static constexpr const char* ClassName = "EnemyComponent";
    using DamageHandler = std::function<void(EnemyDamageInfo& info)>;

    EnemyComponent();
    ShortcutSlot Slot() const override { return ShortcutSlot::Enemy; }

    // Lets go of the tile that holds the enemy (only with "HasTileType"): its cells become water
    // and the body falls free with a kick of 3 units per second in a random direction.
    void ReleaseFromTile() override;
    bool HeldByTile() const override { return HasTileType; }
    // Turns the grid cells the enemy stands in into water: the 2 x 2 block of a chest (centred on
    // its position), the one cell of anything else.
    void FreeHeldCells() const;

    int HealthStart = 1;
    int Hardness = 5;           // above the drill's hardness, the drill cannot hurt it
    int ContactDamage = 1;      // what the submarine takes while touching it; 0 or less: none
    bool IsShrimp = false;      // a target of the shrimp zapper
    bool HasTileType = false;   // occupies grid cells and frees them when it dies or is released
    bool AllowPassThru = false; // the submarine passes through once it has taken the contact damage
    std::string DisplayName;    // what the player is told hurt it ("Sea Urchin"); empty: "a creature"

    int Health = 1; // current health; reset when the damage behaviour starts
    DamageHandler damageHandler;
};
