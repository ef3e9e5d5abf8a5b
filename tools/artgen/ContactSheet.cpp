#include "ContactSheet.h"

#include "SpriteSet.h"

#include <algorithm>
#include <map>
#include <string>

namespace kelvane::artgen {

namespace {
using assetwright::Image;

void fill(Image& image, int x, int y, int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    for (int yy = std::max(0, y); yy < std::min(image.height, y + h); ++yy) {
        for (int xx = std::max(0, x); xx < std::min(image.width, x + w); ++xx) {
            std::uint8_t* px = image.at(xx, yy);
            px[0] = r;
            px[1] = g;
            px[2] = b;
            px[3] = 255;
        }
    }
}

// Alpha-blends the sprite at (x, y) scaled by `scale`.
void blit(Image& dest, const Image& sprite, int x, int y, int scale) {
    for (int sy = 0; sy < sprite.height; ++sy) {
        for (int sx = 0; sx < sprite.width; ++sx) {
            const std::uint8_t* src = sprite.at(sx, sy);
            if (src[3] == 0) {
                continue;
            }
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    int px = x + sx * scale + dx, py = y + sy * scale + dy;
                    if (px < 0 || py < 0 || px >= dest.width || py >= dest.height) {
                        continue;
                    }
                    std::uint8_t* d = dest.at(px, py);
                    for (int k = 0; k < 3; ++k) {
                        d[k] = static_cast<std::uint8_t>((src[k] * src[3] + d[k] * (255 - src[3])) / 255);
                    }
                }
            }
        }
    }
}
} // namespace

Image makeContactSheet(const SpriteSet& set, int scale, bool skipLarge) {
    std::map<std::string, Image> images;
    for (const Sprite& s : set.sprites()) {
        images[s.name] = s.canvas.toImage();
    }
    const int width = 1400;
    // Lay out rows of sprites, skipping the two big panels (shown scaled down at the end).
    struct Placed {
        const Image* image;
        int x, y, scale;
    };
    std::vector<Placed> placed;
    int x = 8, y = 8, rowHeight = 0;
    for (const Sprite& s : set.sprites()) {
        const Image& image = images[s.name];
        if (skipLarge && (image.width > 128 || image.height > 128)) {
            continue;
        }
        int sc = image.width * scale > 480 ? 1 : scale;
        if (x + image.width * sc + 8 > width) {
            x = 8;
            y += rowHeight + 8;
            rowHeight = 0;
        }
        placed.push_back(Placed{&image, x, y, sc});
        x += image.width * sc + 8;
        rowHeight = std::max(rowHeight, image.height * sc);
    }
    const int spritesBottom = y + rowHeight + 16;
    const int sceneCols = 40, sceneRows = 14, tile = 16 * scale;
    const int height = spritesBottom + sceneRows * tile + 16;
    Image sheet(width, height);
    // Water darkening with depth, as the game's background.
    for (int yy = 0; yy < height; ++yy) {
        int t = yy * 255 / height;
        fill(sheet, 0, yy, width, 1, static_cast<std::uint8_t>(24 - t * 16 / 255),
             static_cast<std::uint8_t>(70 - t * 40 / 255), static_cast<std::uint8_t>(104 - t * 50 / 255));
    }
    for (const Placed& p : placed) {
        blit(sheet, *p.image, p.x, p.y, p.scale);
    }

    // Mock scene: band 1 above, band 2 below, a dug tunnel with the submarine and creatures.
    const char* rows[sceneRows] = {
        "                                        ", "                                        ",
        "DDDDDDDDDDDDDDDRRDDDDDDDDD  DDDDDDDDDDDD", "DDCDDDDRRRDDDDDRRRDDDDDD     DDDDcDDDDDD",
        "DDDDDDRRcRRD            DDD  DDDDDDDDDRR", "DDD  DDRRRDD              DDDDDSSDDDRRRR",
        "DDD    DDDDD                DDDDDDDDDRRR", "DDDDD      DDDDDD            DDDDDDDDDDD",
        "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", "LLLLLLLLLLLLLBBBBBLLLLLLLLLLLLLLLLLLLLLL",
        "LLLLGLLLLLLLBBBBBBBLLLLLLLLSLLLLLLLBBLLL", "LLLLLLLLL       BBBLLLLLLLLLLLLLLLBBBBLL",
        "LLLLL               LLLLLGLLLLLLLLLLLLLL", "LLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL",
    };
    const std::map<char, std::string> tileNames = {{'D', "Dirt"},       {'R', "Rock"},   {'C', "CopperDirt"},
                                                   {'c', "CopperRock"}, {'S', "Silver"}, {'W', "BossWall"},
                                                   {'L', "DeepSilt"},   {'B', "Basalt"}, {'G', "Gold"}};
    const int sceneY = spritesBottom;
    for (int r = 0; r < sceneRows; ++r) {
        for (int c = 0; c < sceneCols; ++c) {
            auto it = tileNames.find(rows[r][c]);
            if (it != tileNames.end()) {
                blit(sheet, images[it->second], 8 + c * tile, sceneY + r * tile, scale);
            }
        }
    }
    auto put = [&](const std::string& name, double col, double row) {
        const Image& image = images[name];
        blit(sheet, image, 8 + static_cast<int>(col * tile) - image.width * scale / 2,
             sceneY + static_cast<int>(row * tile) - image.height * scale / 2, scale);
    };
    put("Sub_PoBoy", 15, 5.2);
    put("DrillStem", 16.7, 5.6);
    put("DrillHead", 17.6, 5.6);
    put("Shrimp", 21, 6.0);
    put("ShrimpFast", 8.5, 5.5);
    put("SeaUrchin", 4.0, 5.5);
    put("Chest", 25.5, 6.5);
    put("Money", 19, 6.8);
    put("Heart", 23, 5.0);
    put("SupplyStation", 33, 0.5);
    put("MantisShrimp", 14, 11.5);
    put("BallProjectile", 11, 11.3);
    put("Bomb", 7, 11.5);
    return sheet;
}

} // namespace kelvane::artgen
