#pragma once

#include "core/Behavior.h"
#include "core/Color.h"

// The open water behind the tiles: the screen's clear colour follows the camera's depth, from
// "SurfaceColor" at row 0 to "DeepColor" at the bottom row, so the sea reads lighter near the top
// and darker below. Its children mark the surface (a sky strip above row 0 and a bright line on it).
// Anyone else's clear colour (the death flash, the reward colour) wins: the shade is written only
// while the clear colour is a water shade (one it wrote, or one put back after a flash) or the plain
// black the game starts with.
class WaterShadeBhv : public Behavior {
public:
    static constexpr const char* ClassName = "WaterShadeBhv";

    WaterShadeBhv();

    void Update() override;

    // The water's colour at a depth in rows below the surface (clamped to the world).
    Color ShadeAt(float row) const;
    // Whether the colour lies on the shade's ramp, to within rounding.
    bool IsWaterShade(Color color) const;

    Color SurfaceColor{46, 104, 150, 255};
    Color DeepColor{4, 10, 24, 255};
};
