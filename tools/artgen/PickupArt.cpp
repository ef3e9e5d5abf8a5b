// Pickups that float in the world, and one 16 × 16 icon per item (the HUD, the store and the item
// pickup show these).
#include "SpriteSet.h"

#include <cmath>

namespace kelvane::artgen {

namespace {
void heart(PixelCanvas& c, double ox, double oy, double s, Mat mat) {
    c.fillEllipse(ox + 2.2 * s, oy + 2.2 * s, 2.2 * s, 2.2 * s, mat, 2);
    c.fillEllipse(ox + 5.8 * s, oy + 2.2 * s, 2.2 * s, 2.2 * s, mat, 2);
    c.fillPolygon({{ox + 0.1 * s, oy + 2.8 * s}, {ox + 8 * s, oy + 2.8 * s}, {ox + 4 * s, oy + 7.5 * s}}, mat,
                  2);
}

void digit(PixelCanvas& c, int x, int y, int value, Mat mat, int shade) {
    static const char* glyphs[10] = {
        "111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
        "111100111001111", "111100111101111", "111001001001001", "111101111101111", "111101111001111"};
    for (int i = 0; i < 15; ++i) {
        if (glyphs[value][i] == '1') {
            c.set(x + i % 3, y + i / 3, mat, shade);
        }
    }
}

void plus(PixelCanvas& c, int x, int y, Mat mat) {
    c.fillRect(x + 1, y, 1, 3, mat, 3);
    c.fillRect(x, y + 1, 3, 1, mat, 3);
}

void drillIcon(PixelCanvas& c, Mat head) {
    c.fillRect(1, 6, 6, 4, Mat::Steel, 2);
    c.fillRect(0, 5, 2, 6, Mat::Hull, 2);
    c.fillPolygon({{6, 3}, {15.5, 8}, {6, 13}}, head, 2);
    for (int x = 8; x < 15; x += 3) {
        c.line(x, 4 + (x - 6) / 2, x + 1, 12 - (x - 6) / 2, head, 0);
    }
    c.shadeEdges();
    c.outline();
}

void oreIcon(PixelCanvas& c, Mat ore) {
    c.fillPolygon({{2, 9}, {6, 3}, {11, 2}, {14, 7}, {13, 13}, {5, 14}}, Mat::Rock, 1);
    c.fillPolygon({{5, 9}, {7, 5}, {11, 5}, {12, 10}, {8, 12}}, ore, 2);
    c.shadeEdges();
    c.set(7, 6, ore, 3);
    c.set(8, 6, ore, 3);
    c.set(4, 12, ore, 2);
    c.outline();
}

void blockIcon(PixelCanvas& c, Mat mat) {
    c.fillRect(2, 2, 12, 12, mat, 1);
    c.fillRect(4, 4, 3, 2, mat, 2);
    c.fillRect(9, 8, 3, 2, mat, 2);
    c.set(5, 10, mat, 0);
    c.set(11, 4, mat, 0);
    c.shadeEdges();
    c.outline();
}

void subIcon(PixelCanvas& c, Mat hull, Mat accent, int size) {
    double rx = 4.0 + size, ry = 2.5 + size * 0.5;
    c.fillEllipse(8, 10, rx, ry, hull, 2);
    c.fillRect(6, static_cast<int>(10 - ry - 2), 4, 3, hull, 2);
    c.fillRect(static_cast<int>(8 - rx), 11, static_cast<int>(2 * rx), 1, accent, 1);
    c.fillEllipse(10, 9, 1.3, 1.3, Mat::Glass, 2);
    c.shadeEdges();
    c.outline();
}

void quickslotIcon(PixelCanvas& c, int count) {
    c.fillRect(1, 3, 14, 10, Mat::Panel, 2);
    c.fillRect(1, 3, 14, 1, Mat::Frame, 3);
    c.fillRect(1, 12, 14, 1, Mat::Frame, 1);
    c.fillRect(1, 3, 1, 10, Mat::Frame, 3);
    c.fillRect(14, 3, 1, 10, Mat::Frame, 1);
    for (int i = 0; i < count; ++i) {
        c.fillRect(3 + i * 2, 10, 1, 1, Mat::Frame, 2);
    }
    digit(c, 6, 5, count, Mat::Gold, 3);
    c.outline();
}
} // namespace

void drawPickupsAndIcons(SpriteSet& set) {
    {
        PixelCanvas& c = set.add("Game", "Money", 8, 8);
        c.fillEllipse(4, 4, 3.6, 3.6, Mat::Gold, 2);
        c.shadeEdges();
        c.fillRect(4, 2, 1, 4, Mat::Gold, 0);
        c.set(3, 2, Mat::Gold, 3);
        c.outline();
    }
    {
        PixelCanvas& c = set.add("Game", "Heart", 10, 9);
        heart(c, 1, 0.5, 1.0, Mat::Red);
        c.shadeEdges();
        c.set(2, 2, Mat::Light, 3);
        c.outline();
    }
    {
        PixelCanvas& c = set.add("Game", "HeartHalf", 10, 9);
        heart(c, 1, 0.5, 1.0, Mat::Dark);
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 5; ++x) {
                if (c.filled(x, y)) {
                    c.set(x, y, Mat::Red, 2);
                }
            }
        }
        c.shadeEdges();
        c.set(2, 2, Mat::Light, 3);
        c.outline();
    }
    {
        PixelCanvas& c = set.add("Game", "HealthUp", 13, 12);
        heart(c, 0.5, 1, 1.4, Mat::Red);
        c.shadeEdges();
        c.fillRect(4, 3, 4, 4, Mat::Light, 3);
        c.fillRect(5, 2, 2, 6, Mat::Light, 3);
        c.fillRect(3, 4, 6, 2, Mat::Light, 3);
        c.fillRect(5, 3, 2, 4, Mat::Green, 2);
        c.fillRect(4, 4, 4, 2, Mat::Green, 2);
        c.outline();
    }
    {
        PixelCanvas& c = set.add("Game", "SpeedUp", 12, 12);
        c.fillEllipse(6, 6, 5.6, 5.6, Mat::Green, 1);
        c.shadeEdges();
        for (int k = 0; k < 2; ++k) {
            c.line(3 + k * 3, 3, 6 + k * 3, 6, Mat::Light, 3);
            c.line(6 + k * 3, 6, 3 + k * 3, 9, Mat::Light, 3);
        }
        c.outline();
    }
    {
        PixelCanvas& c = set.add("Game", "StorageUp", 12, 12);
        c.fillRect(1, 2, 10, 9, Mat::Wood, 2);
        c.line(1, 6, 10, 6, Mat::Wood, 0);
        c.shadeEdges();
        plus(c, 7, 0, Mat::Green);
        c.fillRect(7, 0, 3, 3, Mat::Green, 2);
        plus(c, 7, 0, Mat::Light);
        c.outline();
    }

    drillIcon(set.add("Game", "IconPlasticDrill", 16, 16), Mat::Orange);
    drillIcon(set.add("Game", "IconSteelDrill", 16, 16), Mat::Steel);
    drillIcon(set.add("Game", "IconDiamondDrill", 16, 16), Mat::Glass);
    {
        PixelCanvas& c = set.add("Game", "IconBlockPlacer", 16, 16);
        c.fillRect(1, 7, 8, 3, Mat::Steel, 2);
        c.fillRect(8, 4, 3, 9, Mat::Steel, 1);
        c.fillRect(11, 4, 4, 2, Mat::Steel, 2);
        c.fillRect(11, 11, 4, 2, Mat::Steel, 2);
        c.fillRect(12, 7, 3, 3, Mat::Dirt, 2);
        c.shadeEdges();
        c.set(1, 7, Mat::Green, 3);
        c.outline();
    }
    blockIcon(set.add("Game", "IconDirtBlock", 16, 16), Mat::Dirt);
    blockIcon(set.add("Game", "IconRockBlock", 16, 16), Mat::Rock);
    {
        PixelCanvas& c = set.add("Game", "IconBoostRocket", 16, 16);
        c.fillPolygon({{1, 5}, {4, 7}, {4, 9}, {1, 11}}, Mat::Orange, 3); // flame
        c.fillRect(4, 6, 8, 4, Mat::Light, 2);
        c.fillPolygon({{11, 5.5}, {15.5, 8}, {11, 10.5}}, Mat::Red, 2);
        c.fillPolygon({{4, 3}, {8, 6}, {4, 6}}, Mat::Red, 2);
        c.fillPolygon({{4, 10}, {8, 10}, {4, 13}}, Mat::Red, 2);
        c.shadeEdges();
        c.set(8, 7, Mat::Glass, 2);
        c.outline();
    }
    {
        PixelCanvas& c = set.add("Game", "IconBomb", 16, 16);
        c.fillEllipse(7.5, 9.5, 5.5, 5.5, Mat::Basalt, 2);
        c.fillRect(6, 2, 3, 3, Mat::Steel, 2);
        c.line(9, 2, 11, 0, Mat::Wood, 2);
        c.shadeEdges();
        c.paintEllipse(5.5, 7.5, 1.6, 1.3, Mat::Basalt, 3);
        c.set(12, 0, Mat::Orange, 3);
        c.outline();
    }
    {
        PixelCanvas& c = set.add("Game", "IconNukeFactory", 16, 16);
        c.fillRect(1, 9, 14, 6, Mat::Steel, 1);
        c.fillRect(3, 6, 3, 3, Mat::Steel, 1);
        c.fillEllipse(10.5, 6, 4, 4, Mat::Hull, 2);
        c.fillEllipse(10.5, 6, 1.2, 1.2, Mat::Dark, 1);
        c.fillRect(3, 11, 2, 2, Mat::Gold, 3);
        c.fillRect(7, 11, 2, 2, Mat::Green, 3);
        c.shadeEdges();
        c.outline();
    }
    {
        PixelCanvas& c = set.add("Game", "IconShrimpZapper", 16, 16);
        c.fillRect(1, 6, 9, 4, Mat::Steel, 2);
        c.fillRect(2, 10, 3, 4, Mat::Steel, 1);
        c.fillRect(9, 7, 2, 2, Mat::Glass, 2);
        c.line(11, 8, 13, 5, Mat::Glass, 3);
        c.line(13, 5, 13, 9, Mat::Glass, 3);
        c.line(13, 9, 15, 6, Mat::Glass, 3);
        c.shadeEdges();
        c.outline();
    }
    {
        PixelCanvas& c = set.add("Game", "IconRepairKit", 16, 16);
        c.fillRect(1, 4, 14, 10, Mat::Light, 2);
        c.fillRect(5, 2, 6, 2, Mat::Steel, 1);
        c.fillRect(7, 6, 2, 6, Mat::Red, 2);
        c.fillRect(5, 8, 6, 2, Mat::Red, 2);
        c.shadeEdges();
        c.outline();
    }
    oreIcon(set.add("Game", "IconCopper", 16, 16), Mat::Copper);
    oreIcon(set.add("Game", "IconSilver", 16, 16), Mat::Silver);
    oreIcon(set.add("Game", "IconGold", 16, 16), Mat::Gold);
    quickslotIcon(set.add("Game", "IconQuickslot3", 16, 16), 3);
    quickslotIcon(set.add("Game", "IconQuickslot4", 16, 16), 4);
    quickslotIcon(set.add("Game", "IconQuickslot5", 16, 16), 5);
    subIcon(set.add("Game", "IconSubPoBoy", 16, 16), Mat::Hull, Mat::Red, 0);
    subIcon(set.add("Game", "IconSubTrawler", 16, 16), Mat::Orange, Mat::Steel, 1);
    subIcon(set.add("Game", "IconSubLeviathan", 16, 16), Mat::Steel, Mat::Purple, 2);
}

} // namespace kelvane::artgen
