#include "player/tools/ExplosiveBhv.h"

#include <cmath>

#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "physics/B2FixtureComponent.h"
#include "player/EnemyLink.h"
#include "player/sub/SubBhv.h"
#include "world/TileGrid.h"
#include "world/things/ThingComponent.h"
#include "world/things/ThingRootBhv.h"
#include "world/tiles/TileTypeBhv.h"
#include "world/tiles/TileTypeTable.h"

namespace {

float Distance(Vector2 a, Vector2 b) {
    const Vector2 d = a - b;
    return std::sqrt(d.x * d.x + d.y * d.y);
}

// Beyond this a radius would sweep the whole world many times over; the world is 150 x 430.
constexpr float MaxTileRadius = 500.0f;

} // namespace

ExplosiveBhv::ExplosiveBhv() {
    RegisterProperty("TileDamageRadius", &TileDamageRadius);
    RegisterProperty("TileHardness", &TileHardness);
    RegisterProperty("ThingDamageRadius", &ThingDamageRadius);
    RegisterProperty("ThingDamage", &ThingDamage);
    RegisterProperty("PlayerDamage", &PlayerDamage);
}

void ExplosiveBhv::explode() {
    if (!Owner) {
        return;
    }
    const Vector2 c = Owner->GetPosition();
    const float r = ThingDamageRadius;
    if (GameObject* sub = Submarine(); sub && Distance(c, sub->GetPosition()) <= r) {
        if (SubBhv* bhv = WellKnown<SubBhv>::Get()) {
            bhv->takeDamage(PlayerDamage, "your own blast", c);
        }
    }
    hits_.clear();
    ThingRootBhv::QueryFixturesInSquare(c, r, hits_);
    for (B2FixtureComponent* fixture : hits_) {
        GameObject* object = fixture->Owner;
        Component* enemy = object ? FindEnemy(*object) : nullptr;
        const ThingComponent* thing = object ? object->Thing() : nullptr;
        if (enemy && thing && Distance(c, thing->Pos) <= r) {
            DamageEnemy(*enemy, ThingDamage, fixture);
        }
    }
    DestroyTiles(c);
}

void ExplosiveBhv::DestroyTiles(Vector2 c) {
    TileGrid* grid = Service<TileGrid>::TryGet();
    const float radius = TileDamageRadius;
    if (!grid || !(radius > 0.0f) || !(radius <= MaxTileRadius) || !std::isfinite(c.x) ||
        !std::isfinite(c.y)) {
        return;
    }
    // Stepping by whole units from c - R, so each cell is visited by at most one sample point.
    const int steps = static_cast<int>(std::floor(2.0f * radius));
    for (int j = 0; j <= steps; ++j) {
        const float y = c.y - radius + static_cast<float>(j);
        for (int i = 0; i <= steps; ++i) {
            const float x = c.x - radius + static_cast<float>(i);
            const TileGrid::Cell cell = TileGrid::CellAt(x, y);
            const uint8_t code = grid->Get(cell.Column, cell.Row);
            if (code == 0 || !(radius > Distance(c, TileGrid::CellCentre(cell.Column, cell.Row)))) {
                continue;
            }
            TileTypeBhv* type = GetTileType(code);
            if (type && type->Hardness <= TileHardness) {
                type->DestroyTile(cell.Column, cell.Row);
            }
        }
    }
}
