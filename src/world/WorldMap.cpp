#include "world/WorldMap.h"

#include <vector>

#include "platform/Image.h"
#include "world/TileGrid.h"

namespace {

// 0xRRGGBB per tile code: water dark blue, band-1 earth browns, band-2 cold greys, minerals in
// their metal colours, things that take a cell in bright marker colours.
constexpr uint32_t Colours[14] = {
    0x0B1E3A, // 0 water
    0x8A5A2B, // 1 band-1 terrain
    0x6B6B6B, // 2 band-1 rock
    0xD9772E, // 3 terrain with copper
    0xB5652F, // 4 rock with copper
    0xFF40C0, // 5 sea urchin
    0xA8783F, // 6 terrain with a buried item
    0x8C8C8C, // 7 rock with a buried item
    0xE0E8F0, // 8 silver
    0xC01010, // 9 boss wall
    0x40FF40, // 10 chest
    0x4A5A4E, // 11 band-2 terrain
    0x2E3036, // 12 band-2 rock
    0xFFC81E, // 13 gold
};

} // namespace

uint32_t WorldMapColour(int code) {
    const uint32_t rgb = code >= 0 && code < 14 ? Colours[code] : 0xFF00FF;
    return rgb << 8 | 0xFF;
}

bool WriteWorldMap(const TileGrid& grid, const std::string& path) {
    std::vector<uint8_t> pixels(static_cast<size_t>(TileGrid::Columns) * TileGrid::Rows * 4);
    for (int r = 0; r < TileGrid::Rows; ++r) {
        for (int c = 0; c < TileGrid::Columns; ++c) {
            const uint32_t colour = WorldMapColour(grid.Get(c, r));
            uint8_t* p = &pixels[(static_cast<size_t>(r) * TileGrid::Columns + c) * 4];
            p[0] = static_cast<uint8_t>(colour >> 24);
            p[1] = static_cast<uint8_t>(colour >> 16);
            p[2] = static_cast<uint8_t>(colour >> 8);
            p[3] = static_cast<uint8_t>(colour);
        }
    }
    return WritePngFile(path, TileGrid::Columns, TileGrid::Rows, pixels.data());
}
