#pragma once

// What SetCamera hands the backend: the viewport in back-buffer pixels (top-left origin) and the
// vertex shader's constants: clip = (Row0 . d, Row1 . d) with d = vertex - Pos.
struct CameraConstants {
    int ViewportX = 0;
    int ViewportY = 0;
    int ViewportWidth = 0;
    int ViewportHeight = 0;
    float Row0[2] = {1.0f, 0.0f};
    float Row1[2] = {0.0f, 1.0f};
    float Pos[2] = {0.0f, 0.0f};
};
