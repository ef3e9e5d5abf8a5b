#pragma once

// Game time, advanced only by the main loop.
struct GameTime {
    float TotalTime = 0.0f;  // seconds, the sum of every frame's delta
    float FrameDelta = 0.0f; // seconds, the quantised length of the current frame: k / 60, k in 1..6
};
