#pragma once

#include "core/Vector2.h"
#include "world/TileGrid.h"

// Where a straight path through the terrain first meets solid ground.
struct SolidHit {
    bool Found = false;
    // Share of the path (0 at its start, 1 at its end) at which it enters the cell.
    float Along = 1.0f;
    TileGrid::Cell Cell;
};

// Walks the cells from a to b in the order the segment crosses them and returns the first whose tile
// type is solid. Cells outside the grid are never solid here: only tiles can be hit.
SolidHit FirstSolidCell(const TileGrid& grid, Vector2 a, Vector2 b);
