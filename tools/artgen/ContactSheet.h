#pragma once

#include "Image.h"

namespace kelvane::artgen {

class SpriteSet;

// Every sprite at `scale` on open water, in drawing order, above a small mock scene (terrain of both
// bands with minerals, the submarine and creatures) that shows whether the pieces belong together.
// With skipLarge, sprites wider or taller than 128 pixels (the panels) are left out.
assetwright::Image makeContactSheet(const SpriteSet& set, int scale, bool skipLarge = false);

} // namespace kelvane::artgen
