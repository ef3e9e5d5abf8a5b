#pragma once

// Where the fixed-size logical screen lands in a window of any size: scaled by the largest whole
// factor that fits (sharp, every logical pixel the same size), or, when even factor 1 does not fit,
// by the largest fractional factor; centred, with black bars around it. Pure arithmetic, shared by
// the presentation (where to draw the picture) and the pointer (where a window pixel points).
struct Letterbox {
    int X = 0; // left edge of the picture in the window, pixels
    int Y = 0; // top edge, pixels, y down
    int Width = 0;
    int Height = 0;

    // The picture of a logicalWidth x logicalHeight screen in a windowWidth x windowHeight window. An
    // empty window (minimised) gives an empty picture.
    static Letterbox Fit(int windowWidth, int windowHeight, int logicalWidth, int logicalHeight);

    // The logical pixel under window pixel (x, y), in whole pixels. Points in the bars map outside
    // 0..logical size, where nothing on the screen is hit.
    void ToLogical(float x, float y, int logicalWidth, int logicalHeight, float& logicalX,
                   float& logicalY) const;
};
