#pragma once

#include <cmath>
#include <cstdint>

#include "core/Rect.h"
#include "core/Vector2.h"

// How a drawing layer is seen: the point at the viewport's centre, the extent of the view in the
// layer's units (a negative component mirrors that axis), a rotation and a screen area.
class Camera2d {
public:
    virtual ~Camera2d() = default;

    Vector2 Position;
    Vector2 Size{1.0f, 1.0f};
    float Rotation = 0.0f; // radians; the scene is drawn rotated by -Rotation
    Rect Viewport;         // back-buffer pixels; width 0 means the whole back buffer

    // A point in client pixels to the camera's units: the inverse of the renderer's camera
    // transform. The back-buffer size stands in for a viewport of width 0.
    Vector2 ScreenToWorld(Vector2 p, int32_t backBufferWidth = 1280, int32_t backBufferHeight = 720) const {
        Rect vp = Viewport;
        if (vp.width == 0.0f) {
            vp = Rect(0.0f, 0.0f, static_cast<float>(backBufferWidth), static_cast<float>(backBufferHeight));
        }
        Vector2 q{p.x - vp.x - vp.width / 2, p.y - vp.y - vp.height / 2};
        q.y = -q.y;
        q = {q.x * Size.x / vp.width, q.y * Size.y / vp.height};
        const float c = std::cos(Rotation);
        const float s = std::sin(Rotation);
        return Vector2{q.x * c - q.y * s, q.x * s + q.y * c} + Position;
    }

    // A point in the camera's units to client pixels: the renderer's camera transform.
    Vector2 WorldToScreen(Vector2 p, int32_t backBufferWidth = 1280, int32_t backBufferHeight = 720) const {
        Rect vp = Viewport;
        if (vp.width == 0.0f) {
            vp = Rect(0.0f, 0.0f, static_cast<float>(backBufferWidth), static_cast<float>(backBufferHeight));
        }
        const Vector2 d = p - Position;
        const float c = std::cos(Rotation);
        const float s = std::sin(Rotation);
        Vector2 q{d.x * c + d.y * s, -d.x * s + d.y * c};
        q = {q.x * vp.width / Size.x, -q.y * vp.height / Size.y};
        return {q.x + vp.x + vp.width / 2, q.y + vp.y + vp.height / 2};
    }

    // 16 pixels per world unit in the window minus the 320-pixel HUD panel, showing x from 0 and
    // y down from 0.
    static Camera2d DefaultWorld(int32_t width, int32_t height) {
        Camera2d camera;
        camera.Size = {static_cast<float>((width - 320) / 16), static_cast<float>(height / 16)};
        camera.Position = {camera.Size.x / 2, -camera.Size.y / 2};
        camera.Viewport = Rect(0.0f, 0.0f, static_cast<float>(width - 320), static_cast<float>(height));
        return camera;
    }

    // Virtual pixels of a 1280 x 720 screen, origin top left, y down.
    static Camera2d DefaultScreen() {
        Camera2d camera;
        camera.Size = {1280.0f, -720.0f};
        camera.Position = {640.0f, 360.0f};
        return camera;
    }
};
