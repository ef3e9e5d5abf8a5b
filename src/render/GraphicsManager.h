#pragma once

#include <cstdint>

#include "core/Color.h"

// Window, frame-rate and drawing settings shared by the main loop, input and the renderer.
// The cameras and the renderer join it with the renderer.
class GraphicsManager {
public:
    int32_t Width = 1280;          // client-area and back-buffer width, pixels
    int32_t Height = 720;          // client-area and back-buffer height, pixels
    int32_t MaxCatchUpFrames = 5;  // a frame's delta covers at most MaxCatchUpFrames + 1 periods
    int32_t FramesPerSecond = 60;  // target frame rate
    bool HasFocus = true;          // rewritten by every message pump; input reports nothing while false
    bool ShowPhysics = false;      // draw the physics overlay after the World layer
    Color ClearColor{0, 0, 0, 255};
};
