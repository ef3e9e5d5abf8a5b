#include "physics/FixtureMouseManagerBhv.h"

#include <box2d/b2_collision.h>
#include <box2d/b2_world.h>

#include "core/GraphicsManager.h"
#include "core/Service.h"
#include "input/InputManager.h"
#include "physics/MouseQueryCallback.h"

void FixtureMouseManagerBhv::HandleInput() {
    // A scene without a screen or input (a headless test scene) has no pointer to query for.
    const GraphicsManager* graphics = Service<GraphicsManager>::TryGet();
    const InputManager* input = Service<InputManager>::TryGet();
    if (!graphics || !input || !Service<b2World>::TryGet()) {
        return;
    }
    QueryAt(graphics->WorldCamera.ScreenToWorld(input->MousePosition, graphics->Width, graphics->Height));
}

void FixtureMouseManagerBhv::QueryAt(Vector2 worldPoint) {
    b2AABB box;
    box.lowerBound.Set(worldPoint.x - PickHalfSize, worldPoint.y - PickHalfSize);
    box.upperBound.Set(worldPoint.x + PickHalfSize, worldPoint.y + PickHalfSize);
    MouseQueryCallback callback;
    Service<b2World>::Get().QueryAABB(&callback, box);
}
