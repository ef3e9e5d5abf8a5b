#pragma once

#include <array>
#include <cstdint>

namespace kelvane::artgen {

struct Rgb {
    std::uint8_t r, g, b;
};

// A material's four shades, darkest first. Every sprite is drawn in ramps, so shading and outlines
// stay inside one limited underwater palette.
using Ramp = std::array<Rgb, 4>;

enum class Mat : int {
    None = -1,
    Outline,
    Dirt,
    Rock,
    Copper,
    Silver,
    Gold,
    Silt,
    Basalt,
    BossWall,
    Hull,   // the submarines' yellow
    Steel,  // machines, grey-blue
    Glass,  // portholes, cyan
    Red,    // shrimp, hearts
    Orange, // fast shrimp, flames
    Purple, // urchin, mantis
    Green,  // mantis, health up
    Wood,   // chest
    Panel,  // HUD and menus, deep blue
    Frame,  // HUD and menu frames, pale sea blue
    Light,  // near-white highlights and tintable widgets
    Dark,   // near-black fills
    Count
};

const Ramp& ramp(Mat material);

} // namespace kelvane::artgen
