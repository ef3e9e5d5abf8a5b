#include "physics/FixtureMouseManagerBhv.h"

#include <box2d/b2_collision.h>
#include <box2d/b2_world.h>

#include "core/GraphicsManager.h"
#include "core/Service.h"
#include "input/InputManager.h"
#include "physics/MouseQueryCallback.h"

void FixtureMouseManagerBhv::HandleInput() {
    const GraphicsManager& graphics = Service<GraphicsManager>::Get();
    const Vector2 mouse = Service<InputManager>::Get().MousePosition;
    QueryAt(graphics.WorldCamera.ScreenToWorld(mouse, graphics.Width, graphics.Height));
}

void FixtureMouseManagerBhv::QueryAt(Vector2 worldPoint) {
    b2AABB box;
    box.lowerBound.Set(worldPoint.x - PickHalfSize, worldPoint.y - PickHalfSize);
    box.upperBound.Set(worldPoint.x + PickHalfSize, worldPoint.y + PickHalfSize);
    MouseQueryCallback callback;
    Service<b2World>::Get().QueryAABB(&callback, box);
}
