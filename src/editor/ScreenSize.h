#pragma once

#include "core/GraphicsManager.h"
#include "core/Service.h"
#include "core/Vector2.h"

// The size of the editor layers' screen in pixels: the window's, 1280 x 720 without a graphics
// manager (tests).
inline Vector2 EditorScreenSize() {
    if (const GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
        return {static_cast<float>(graphics->Width), static_cast<float>(graphics->Height)};
    }
    return {1280.0f, 720.0f};
}
