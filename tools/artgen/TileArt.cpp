// Terrain, rock and mineral tiles: 16 × 16, one world unit. Tiles sit edge to edge, so they carry no
// outline; rock-like tiles get a bevel so single blocks stay readable when drilled free.
#include "SpriteSet.h"

namespace kelvane::artgen {

namespace {
constexpr int T = 16;

void speckle(PixelCanvas& c, Mat mat, ArtRandom& rng, int darkPercent, int lightPercent) {
    for (int y = 0; y < T; ++y) {
        for (int x = 0; x < T; ++x) {
            int roll = rng.range(0, 99);
            int shade = roll < darkPercent ? 0 : roll < darkPercent + lightPercent ? 2 : 1;
            c.set(x, y, mat, shade);
        }
    }
}

void pebble(PixelCanvas& c, int x, int y, Mat mat) {
    c.set(x, y, mat, 3);
    c.set(x + 1, y, mat, 2);
    c.set(x, y + 1, mat, 2);
    c.set(x + 1, y + 1, mat, 1);
    c.set(x + 1, y + 2, mat, 0);
    c.set(x + 2, y + 1, mat, 0);
}

void nugget(PixelCanvas& c, int x, int y, Mat mat, bool big) {
    c.set(x - 1, y, Mat::Outline, 2);
    c.fillRect(x, y, big ? 3 : 2, 2, mat, 2);
    c.set(x, y - 1, mat, 2);
    c.set(x, y, mat, 3);
    c.set(x + 1, y + 2, mat, 0);
    if (big) {
        c.set(x + 2, y + 2, mat, 0);
        c.set(x + 1, y - 1, mat, 2);
        c.set(x + 3, y + 1, mat, 1);
    }
    c.set(x + (big ? 3 : 2), y + 2, Mat::Outline, 2);
}

// A 4 x 4 lump with a dark rim and a white glint, top left at x, y.
void lump(PixelCanvas& c, int x, int y, Mat mat) {
    for (int i = 0; i < 6; ++i) {
        c.set(x + i, y, Mat::Outline, 1);
        c.set(x + i, y + 5, Mat::Outline, 1);
        c.set(x, y + i, Mat::Outline, 1);
        c.set(x + 5, y + i, Mat::Outline, 1);
    }
    c.fillRect(x + 1, y + 1, 4, 4, mat, 3);
    c.fillRect(x + 3, y + 3, 2, 2, mat, 2);
    c.set(x + 4, y + 4, mat, 1);
    c.set(x + 1, y + 1, Mat::Light, 3);
}

void bevel(PixelCanvas& c, Mat mat) {
    for (int i = 0; i < T; ++i) {
        c.set(i, 0, mat, 2);
        c.set(0, i, mat, 2);
        c.set(i, T - 1, mat, 0);
        c.set(T - 1, i, mat, 0);
    }
    c.set(0, 0, mat, 3);
}

PixelCanvas& dirtTile(SpriteSet& set, const std::string& name) {
    PixelCanvas& c = set.add("Game", name, T, T);
    ArtRandom rng(11);
    speckle(c, Mat::Dirt, rng, 14, 10);
    const int pebbles[][2] = {{2, 3}, {10, 1}, {6, 9}, {12, 11}, {1, 12}};
    for (auto [x, y] : pebbles) {
        pebble(c, x, y, Mat::Dirt);
    }
    return c;
}

PixelCanvas& rockTile(SpriteSet& set, const std::string& name, Mat mat, std::uint32_t seed) {
    PixelCanvas& c = set.add("Game", name, T, T);
    ArtRandom rng(seed);
    speckle(c, mat, rng, 6, 6);
    // Facets: a few lighter slabs with a dark crack under each.
    c.fillPolygon({{1, 2}, {8, 1}, {9, 6}, {2, 7}}, mat, 2);
    c.line(2, 7, 9, 6, mat, 0);
    c.line(9, 6, 8, 1, mat, 0);
    c.fillPolygon({{9, 8}, {15, 9}, {14, 14}, {8, 13}}, mat, 2);
    c.line(8, 13, 14, 14, mat, 0);
    c.line(3, 10, 6, 14, mat, 0);
    c.line(11, 2, 14, 5, mat, 0);
    c.set(2, 2, mat, 3);
    c.set(10, 9, mat, 3);
    bevel(c, mat);
    return c;
}
} // namespace

void drawTiles(SpriteSet& set) {
    PixelCanvas dirt = dirtTile(set, "Dirt");
    PixelCanvas rock = rockTile(set, "Rock", Mat::Rock, 12);

    // Copper in dirt is the first thing a player digs: large bright lumps with a dark rim and a
    // glint, so it never passes for plain dirt.
    PixelCanvas& copperDirt = set.add("Game", "CopperDirt", T, T);
    copperDirt = dirt;
    lump(copperDirt, 2, 2, Mat::Copper);
    lump(copperDirt, 9, 7, Mat::Copper);
    lump(copperDirt, 3, 10, Mat::Copper);

    PixelCanvas& copperRock = set.add("Game", "CopperRock", T, T);
    copperRock = rock;
    nugget(copperRock, 4, 9, Mat::Copper, true);
    nugget(copperRock, 11, 4, Mat::Copper, true);
    nugget(copperRock, 10, 11, Mat::Copper, false);

    PixelCanvas& silver = set.add("Game", "Silver", T, T);
    silver = rock;
    silver.line(2, 12, 7, 7, Mat::Silver, 1);
    silver.line(7, 7, 13, 5, Mat::Silver, 1);
    nugget(silver, 3, 10, Mat::Silver, true);
    nugget(silver, 8, 6, Mat::Silver, true);
    nugget(silver, 12, 11, Mat::Silver, false);

    // Buried items hide behind tiles that look exactly like the plain ones.
    set.addCopy("Game", "BuriedDirt", dirt);
    set.addCopy("Game", "BuriedRock", rock);

    PixelCanvas& silt = set.add("Game", "DeepSilt", T, T);
    {
        ArtRandom rng(21);
        speckle(silt, Mat::Silt, rng, 10, 8);
        // Settled layers: gently waving bands.
        for (int band = 0; band < 3; ++band) {
            for (int x = 0; x < T; ++x) {
                int y = 3 + band * 5 + ((x + band * 3) % 8 < 4 ? 0 : 1);
                silt.set(x, y, Mat::Silt, 2);
                silt.set(x, y + 1, Mat::Silt, 0);
            }
        }
        silt.set(12, 13, Mat::Silt, 3);
    }

    PixelCanvas& basalt = set.add("Game", "Basalt", T, T);
    {
        ArtRandom rng(31);
        speckle(basalt, Mat::Basalt, rng, 8, 4);
        // Columnar joints.
        for (int x : {4, 9, 13}) {
            basalt.line(x, 0, x + (x % 2 == 0 ? 1 : -1), T - 1, Mat::Basalt, 0);
            basalt.line(x + 1, 1, x + 1 + (x % 2 == 0 ? 1 : -1), T - 2, Mat::Basalt, 2);
        }
        basalt.line(0, 7, 4, 6, Mat::Basalt, 0);
        basalt.line(9, 10, 13, 9, Mat::Basalt, 0);
        bevel(basalt, Mat::Basalt);
    }

    PixelCanvas& gold = set.add("Game", "Gold", T, T);
    gold = basalt;
    nugget(gold, 2, 4, Mat::Gold, true);
    nugget(gold, 9, 9, Mat::Gold, true);
    nugget(gold, 11, 3, Mat::Gold, false);
    nugget(gold, 4, 12, Mat::Gold, false);

    PixelCanvas& wall = set.add("Game", "BossWall", T, T);
    wall.fillRect(0, 0, T, T, Mat::BossWall, 1);
    for (int row = 0; row < 4; ++row) {
        int y = row * 4;
        wall.line(0, y, T - 1, y, Mat::Outline, 3);
        int offset = row % 2 == 0 ? 0 : 4;
        for (int x = offset; x < T; x += 8) {
            wall.line(x, y, x, y + 3, Mat::Outline, 3);
            wall.line(x + 1, y + 1, x + 6, y + 1, Mat::BossWall, 2);
            wall.line(x + 1, y + 3, x + 7, y + 3, Mat::BossWall, 0);
        }
    }
    wall.set(3, 6, Mat::Red, 1);
    wall.set(11, 14, Mat::Red, 1);
}

} // namespace kelvane::artgen
