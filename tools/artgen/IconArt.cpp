// The desktop icon, built from the game's own sprites so it always looks like the game.
#include "IconArt.h"

#include <numeric>
#include <stdexcept>
#include <string>

namespace kelvane::artgen {

namespace {

constexpr int Base = 32;

void put(assetwright::Image& image, int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) {
        return;
    }
    std::uint8_t* p = image.at(x, y);
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
    p[3] = 255;
}

// Rounded corners: the four corner pixels and their neighbours along the edges stay clear.
bool inCorner(int x, int y) {
    const int dx = x < 2 ? 1 - x : x > Base - 3 ? x - (Base - 2) : -1;
    const int dy = y < 2 ? 1 - y : y > Base - 3 ? y - (Base - 2) : -1;
    return dx >= 0 && dy >= 0 && dx + dy >= 1;
}

assetwright::Image drawBase(const SpriteSet& set) {
    assetwright::Image icon(Base, Base);
    const Ramp& panel = ramp(Mat::Panel);
    const Ramp& dirt = ramp(Mat::Dirt);
    const Ramp& copper = ramp(Mat::Copper);
    const Ramp& glass = ramp(Mat::Glass);
    for (int y = 0; y < Base; ++y) {
        for (int x = 0; x < Base; ++x) {
            if (inCorner(x, y)) {
                continue;
            }
            // Water lightening towards the surface, then the ground the submarine digs.
            Rgb colour = panel[y < 8 ? 2 : y < 18 ? 1 : 0];
            if (y >= 25) {
                colour = dirt[y == 25 ? 2 : (x + y) % 5 == 0 ? 0 : 1];
            }
            put(icon, x, y, colour);
        }
    }
    // Copper in the ground and bubbles rising from the propeller.
    for (auto [x, y] : {std::pair{22, 28}, std::pair{23, 28}, std::pair{22, 29}, std::pair{6, 29}}) {
        put(icon, x, y, copper[2]);
    }
    put(icon, 23, 29, copper[1]);
    for (auto [x, y] : {std::pair{4, 9}, std::pair{6, 5}, std::pair{3, 3}}) {
        put(icon, x, y, glass[3]);
    }
    const PixelCanvas* sub = nullptr;
    for (const Sprite& sprite : set.sprites()) {
        if (sprite.name == "Sub_PoBoy") {
            sub = &sprite.canvas;
        }
    }
    if (!sub) {
        throw std::runtime_error("the icon needs the sprite Sub_PoBoy");
    }
    const assetwright::Image art = sub->toImage();
    const int left = (Base - art.width) / 2;
    const int top = 4;
    for (int y = 0; y < art.height; ++y) {
        for (int x = 0; x < art.width; ++x) {
            const std::uint8_t* p = art.at(x, y);
            if (p[3] >= 128 && !inCorner(left + x, top + y)) {
                put(icon, left + x, top + y, Rgb{p[0], p[1], p[2]});
            }
        }
    }
    return icon;
}

// Each pixel becomes an up x up block, then every down x down block is averaged into one pixel.
assetwright::Image resample(const assetwright::Image& base, int up, int down) {
    const int size = base.width * up / down;
    assetwright::Image out(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int sum[4] = {0, 0, 0, 0};
            for (int sy = 0; sy < down; ++sy) {
                for (int sx = 0; sx < down; ++sx) {
                    const std::uint8_t* p = base.at((x * down + sx) / up, (y * down + sy) / up);
                    for (int c = 0; c < 4; ++c) {
                        sum[c] += c < 3 ? p[c] * p[3] : p[3];
                    }
                }
            }
            std::uint8_t* q = out.at(x, y);
            const int alphaSum = sum[3];
            for (int c = 0; c < 3; ++c) {
                q[c] = static_cast<std::uint8_t>(alphaSum ? sum[c] / alphaSum : 0);
            }
            q[3] = static_cast<std::uint8_t>(alphaSum / (down * down));
        }
    }
    return out;
}

} // namespace

assetwright::Image drawAppIcon(const SpriteSet& set, int size) {
    const assetwright::Image base = drawBase(set);
    if (size < 8 || size > 1024) {
        throw std::runtime_error("no icon of " + std::to_string(size) + " pixels");
    }
    const int common = std::gcd(size, Base);
    return resample(base, size / common, Base / common);
}

} // namespace kelvane::artgen
