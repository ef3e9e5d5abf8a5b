#pragma once

#include "Palette.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace kelvane::assetwright {
struct Image;
}

namespace kelvane::artgen {

// A sprite being drawn: each pixel is a material and a shade (0 darkest .. 3 lightest), or empty.
// Drawing in materials lets one pass add the light from above-left and the dark outline that every
// sprite shares. Coordinates are pixels, y down.
class PixelCanvas {
public:
    PixelCanvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }

    void set(int x, int y, Mat material, int shade);
    void clear(int x, int y);
    bool filled(int x, int y) const;
    Mat material(int x, int y) const;
    int shade(int x, int y) const;
    // Shifts a filled pixel's shade, clamped to the ramp.
    void adjust(int x, int y, int delta);

    void fillRect(int x, int y, int w, int h, Mat material, int shade);
    void fillEllipse(double cx, double cy, double rx, double ry, Mat material, int shade);
    void line(int x0, int y0, int x1, int y1, Mat material, int shade);
    void fillPolygon(const std::vector<std::pair<double, double>>& points, Mat material, int shade);
    // Only pixels already filled are changed (clip to the silhouette).
    void paintEllipse(double cx, double cy, double rx, double ry, Mat material, int shade);

    // Lightens edges that face up or left and darkens those facing down or right.
    void shadeEdges();
    // Surrounds the silhouette with the outline colour (4-neighbours of filled pixels), or with
    // another shade: a bright ring keeps a sprite visible on dark ground.
    void outline(Mat material = Mat::Outline, int shade = 0);
    void mirrorX();

    // Plain RGBA; a pixel with a direct colour (see setColor) keeps it.
    assetwright::Image toImage() const;
    void setColor(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a);

private:
    struct Cell {
        int material = -1;
        int shade = 0;
        bool direct = false;
        std::uint8_t rgba[4] = {0, 0, 0, 0};
    };
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Cell& cell(int x, int y) { return cells_[static_cast<std::size_t>(y) * width_ + x]; }
    const Cell& cell(int x, int y) const { return cells_[static_cast<std::size_t>(y) * width_ + x]; }

    int width_;
    int height_;
    std::vector<Cell> cells_;
};

// Same sequence for the same seed everywhere, so the art is reproducible.
class ArtRandom {
public:
    explicit ArtRandom(std::uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int range(int lo, int hi) {
        return lo + static_cast<int>(next() % static_cast<std::uint32_t>(hi - lo + 1));
    }
    bool chance(int percent) { return range(0, 99) < percent; }

private:
    std::uint32_t state_;
};

} // namespace kelvane::artgen
