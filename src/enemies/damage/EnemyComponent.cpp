#include "enemies/damage/EnemyComponent.h"

#include <box2d/b2_body.h>

#include "core/GameObject.h"
#include "core/IComponentShortcuts.h"
#include "core/Service.h"
#include "physics/B2BodyComponent.h"
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
}

void EnemyComponent::ReleaseFromTile() {
    if (!HasTileType || !Owner) {
        return;
    }
    HasTileType = false;
    const Vector2 position = Owner->GetPosition();
    if (TileGrid* grid = Service<TileGrid>::TryGet()) {
        const TileGrid::Cell cell = TileGrid::CellAt(position.x, position.y);
        grid->Set(cell.Column, cell.Row, 0);
    }
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
