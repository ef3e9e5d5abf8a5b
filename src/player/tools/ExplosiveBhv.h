#pragma once

#include <vector>

#include "core/Behavior.h"
#include "core/Vector2.h"

class B2FixtureComponent;

// A blast: hurts the submarine and creatures within reach and removes every tile in a disc that is
// not too hard for it, regardless of how much drilling the tile would take.
class ExplosiveBhv : public Behavior {
public:
    static constexpr const char* ClassName = "ExplosiveBhv";

    ExplosiveBhv();

    void explode();

    float TileDamageRadius = 4.0f;
    int TileHardness = 20;
    float ThingDamageRadius = 4.0f;
    int ThingDamage = 20;
    int PlayerDamage = 2;

private:
    void DestroyTiles(Vector2 centre);

    std::vector<B2FixtureComponent*> hits_;
};
