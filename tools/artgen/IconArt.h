#pragma once

#include "Image.h"
#include "SpriteSet.h"

namespace kelvane::artgen {

// The application icon, size x size pixels: the starting submarine over water and dug ground, drawn
// at 32 x 32 and resampled (pixels into blocks, blocks averaged) to any size from 8 to 1024.
assetwright::Image drawAppIcon(const SpriteSet& set, int size);

} // namespace kelvane::artgen
