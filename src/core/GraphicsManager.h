#pragma once

#include <cstdint>
#include <memory>

#include "core/Camera2d.h"
#include "core/Color.h"

class Renderer;

// Window, frame-rate and drawing settings shared by the main loop, input and the renderer, with the
// two cameras and the renderer.
class GraphicsManager {
public:
    int32_t Width = 1280;         // client-area and back-buffer width, pixels
    int32_t Height = 720;         // client-area and back-buffer height, pixels
    int32_t MaxCatchUpFrames = 5; // a frame's delta covers at most MaxCatchUpFrames + 1 periods
    int32_t FramesPerSecond = 60; // target frame rate
    bool HasFocus = true;         // rewritten by every message pump; input reports nothing while false
    bool ShowPhysics = false;     // draw the physics overlay after the World layer
    Color ClearColor{0, 0, 0, 255};
    Camera2d WorldCamera = Camera2d::DefaultWorld(Width, Height); // the World layer
    Camera2d ScreenCamera = Camera2d::DefaultScreen();            // every later layer
    // Made when the device is created, dropped at shutdown. Shared only so that this header stays
    // usable without the renderer's definition.
    std::shared_ptr<Renderer> renderer;
};
