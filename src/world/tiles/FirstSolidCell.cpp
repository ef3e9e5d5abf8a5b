#include "world/tiles/FirstSolidCell.h"

#include <cmath>
#include <limits>

#include "world/tiles/TileTypeTable.h"

namespace {

// One axis of the cell walk: the cell index, its step, and the share of the path at which the walk
// next crosses a cell border on this axis (and between two borders).
struct Axis {
    int Index = 0;
    int Step = 0;
    float Next = std::numeric_limits<float>::infinity();
    float Delta = std::numeric_limits<float>::infinity();

    Axis(float from, float change) : Index(static_cast<int>(std::floor(from))) {
        if (change > 0.0f) {
            Step = 1;
            Next = (static_cast<float>(Index + 1) - from) / change;
            Delta = 1.0f / change;
        } else if (change < 0.0f) {
            Step = -1;
            Next = (static_cast<float>(Index) - from) / change;
            Delta = -1.0f / change;
        }
    }
};

} // namespace

SolidHit FirstSolidCell(const TileGrid& grid, Vector2 a, Vector2 b) {
    // Far off the grid (or not a number) there is nothing to hit, and cell indices would not fit.
    constexpr float Far = 1.0e6f;
    for (const float v : {a.x, a.y, b.x, b.y}) {
        if (!(std::fabs(v) < Far)) {
            return {};
        }
    }
    // Rows count downwards: walk in (x, -y), where a cell is (floor x, floor -y).
    Axis column(a.x, b.x - a.x);
    Axis row(-a.y, a.y - b.y);
    float along = 0.0f;
    // A path crosses at most one cell per unit on each axis; the bound only guards against a
    // path far longer than the grid.
    for (int steps = 0; steps < TileGrid::Columns + TileGrid::Rows; ++steps) {
        if (IsSolidCode(grid.Get(column.Index, row.Index))) {
            return {true, along, {column.Index, row.Index}};
        }
        Axis& next = column.Next < row.Next ? column : row;
        along = next.Next;
        if (along > 1.0f) {
            break;
        }
        next.Index += next.Step;
        next.Next += next.Delta;
    }
    return {};
}
