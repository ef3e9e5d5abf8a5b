#include "player/tools/Item_BombBhv.h"

#include <box2d/b2_body.h>

#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "physics/B2BodyComponent.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "player/sub/SubBhv.h"
#include "player/tools/ToolSupport.h"
#include "world/things/ThingRootBhv.h"

Item_BombBhv::Item_BombBhv() {
    RegisterProperty("IsNuke", &IsNuke);
}

void Item_BombBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input || !input->IsActionPressed(Action::MainWeapon) || !AimOverPlayArea()) {
        return;
    }
    GameObject* sub = Submarine();
    ThingRootBhv* things = WellKnown<ThingRootBhv>::Get();
    if (sub && things) {
        const Vector2 at = sub->GetPosition() + Vector2{0.0f, -DropBelow};
        GameObject* bomb = things->SpawnThing(IsNuke ? "LiveNuke" : "LiveBomb", at);
        B2BodyComponent* bombBody = bomb ? bomb->Body() : nullptr;
        if (bombBody && sub->Body()) {
            bombBody->GetBody()->SetLinearVelocity(sub->Body()->GetBody()->GetLinearVelocity());
        }
    }
    if (!IsNuke) {
        removeItem(Owner ? ItemOf(*Owner) : nullptr, 1);
    }
}
