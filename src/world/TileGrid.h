#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "core/Vector2.h"

// The terrain: 150 x 430 one-byte tile codes, row-major, row 0 at the top (reached as
// Service<TileGrid>). Cell (c, r) covers x from c to c + 1 and y from -r - 1 to -r, so depth grows
// along -y. Code 0 is open water.
class TileGrid {
public:
    static constexpr int Columns = 150;
    static constexpr int Rows = 430;

    struct Cell {
        int Column = 0;
        int Row = 0;
    };

    static bool Contains(int column, int row) {
        return column >= 0 && column < Columns && row >= 0 && row < Rows;
    }

    // The cell of a world position, clamped into the grid. NaN lands in cell (0, 0).
    static Cell CellAt(float x, float y) {
        return {ClampIndex(std::floor(x), Columns), ClampIndex(-std::ceil(y), Rows)};
    }
    static Vector2 CellCentre(int column, int row) {
        return {static_cast<float>(column) + 0.5f, -static_cast<float>(row) - 0.5f};
    }

    // The code of a cell; 0 outside the grid.
    uint8_t Get(int column, int row) const { return Contains(column, row) ? codes_[Index(column, row)] : 0; }
    // Writes a cell; nothing outside the grid.
    void Set(int column, int row, uint8_t code) {
        if (Contains(column, row)) {
            codes_[Index(column, row)] = code;
        }
    }
    // Unchecked access for the passes that walk the whole grid.
    uint8_t& At(int column, int row) { return codes_[Index(column, row)]; }

    const std::array<uint8_t, Columns * Rows>& Codes() const { return codes_; }
    void Clear() { codes_.fill(0); }

private:
    static int Index(int column, int row) { return row * Columns + column; }
    static int ClampIndex(float value, int size) {
        if (!(value > 0.0f)) {
            return 0;
        }
        return value >= static_cast<float>(size - 1) ? size - 1 : static_cast<int>(value);
    }

    std::array<uint8_t, Columns * Rows> codes_{};
};
