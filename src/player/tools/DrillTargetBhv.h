#pragma once

#include "core/Behavior.h"
#include "core/Color.h"
#include "world/TileGrid.h"

// Marks the tile the drill works on: an outline round its cell and a crack that grows with the share
// of the tile's resistance drilled away. Lives on the display "DrillTargetDisplay", whose children
// named "Edge" (four) and "Crack" are thin sprites it lays out; the drill shows and hides it.
class DrillTargetBhv : public Behavior {
public:
    static constexpr const char* ClassName = "DrillTargetBhv";
    // The crack is drawn in this many strokes, from the middle of the tile outwards.
    static constexpr int CrackStrokes = 8;

    DrillTargetBhv();

    // Outlines the cell and draws the share worn (0 none, 1 all) of the crack's strokes, at least
    // one once any damage is done. A tile too hard for the drill gets TooHardColor and no crack.
    void Show(TileGrid::Cell cell, float worn, bool tooHard);

    Color OutlineColor{255, 236, 120, 255};
    Color TooHardColor{255, 72, 48, 255};
    Color CrackColor{10, 8, 6, 255};
    float LineWidth = 0.125f;

    int CrackShown = 0; // strokes of the crack on show
};
