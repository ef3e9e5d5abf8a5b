#pragma once

#include <vector>

namespace kelvane::assetwright {

struct PackSize {
    int width = 0;
    int height = 0;
};

struct PackPlacement {
    int x = 0;
    int y = 0;
};

struct PackResult {
    int sheetWidth = 0;
    int sheetHeight = 0;
    std::vector<PackPlacement> placements; // one per input size, same order
};

// Places the rectangles on the smallest power-of-two sheet (by area, then width) that holds them all,
// never rotated. With squareOnly the sheet is square (fonts need it: their layout scales both axes by
// the page height). Returns false when not even maxSide × maxSide holds them. Deterministic.
bool packRects(const std::vector<PackSize>& sizes, int maxSide, bool squareOnly, PackResult& result);

} // namespace kelvane::assetwright
