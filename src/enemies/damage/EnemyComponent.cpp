#include "enemies/damage/EnemyComponent.h"

#include <box2d/b2_body.h>

#include "core/GameObject.h"
#include "core/IComponentShortcuts.h"
#include "core/Service.h"
#include "physics/B2BodyComponent.h"
#include "player/EnemyLink.h"
#include "world/TileGrid.h"
#include "world/things/ThingRootBhv.h"

EnemyComponent* IComponentShortcuts::Enemy() const {
    return static_cast<EnemyComponent*>(GetSlot(ShortcutSlot::Enemy));
}

EnemyComponent::EnemyComponent() {
    RegisterProperty("HealthStart", &HealthStart);
    RegisterProperty("Hardness", &Hardness);
    RegisterProperty("ContactDamage", &ContactDamage);
    RegisterProperty("IsShrimp", &IsShrimp);
    RegisterProperty("HasTileType", &HasTileType);
    RegisterProperty("AllowPassThru", &AllowPassThru);
    RegisterProperty("DisplayName", &DisplayName);
}

void EnemyComponent::ReleaseFromTile() {
    if (!HasTileType || !Owner) {
        return;
    }
    HasTileType = false;
    FreeHeldCells();
    B2BodyComponent* bodyComponent = Owner->Body();
    if (!bodyComponent) {
        return;
    }
    b2Body* body = bodyComponent->GetBody();
    body->SetType(b2_dynamicBody);
    body->SetFixedRotation(false);
    body->ResetMassData();
    body->SetGravityScale(1.0f);
    const Vector2 kick = ThingRootBhv::RandomDirection(3.0f);
    body->SetLinearVelocity(b2Vec2(kick.x, kick.y));
    body->SetAwake(true);
}

void EnemyComponent::FreeHeldCells() const {
    TileGrid* grid = Service<TileGrid>::TryGet();
    if (!grid || !Owner) {
        return;
    }
    const Vector2 p = Owner->GetPosition();
    if (Owner->PrefabName == "En_Chest") {
        // The chest stands in the middle of its 2 x 2 block: (c, r) is the lower left cell.
        const TileGrid::Cell cell = TileGrid::CellAt(p.x - 0.5f, p.y - 0.5f);
        for (int dc = 0; dc <= 1; ++dc) {
            for (int dr = -1; dr <= 0; ++dr) {
                grid->Set(cell.Column + dc, cell.Row + dr, 0);
            }
        }
        return;
    }
    const TileGrid::Cell cell = TileGrid::CellAt(p.x, p.y);
    grid->Set(cell.Column, cell.Row, 0);
}
