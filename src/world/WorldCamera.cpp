#include "world/WorldCamera.h"

#include "core/GraphicsManager.h"
#include "core/Service.h"

Camera2d CurrentWorldCamera() {
    if (const GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
        return graphics->WorldCamera;
    }
    return Camera2d::DefaultWorld(1280, 720);
}
