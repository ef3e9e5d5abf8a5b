#pragma once

#include <cstdint>
#include <string>

class TileGrid;

// The colour a tile code has on the world map (RGBA); codes without their own colour are magenta.
uint32_t WorldMapColour(int code);

// Writes the tile grid as a 150 x 430 PNG, one pixel per cell, row 0 at the top. Returns whether
// the file was written.
bool WriteWorldMap(const TileGrid& grid, const std::string& path);
