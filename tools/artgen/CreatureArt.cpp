// Creatures and the chest. Drawn facing right, then mirrored: the game's creatures face left until
// they turn (the mantis's volley directions are given for a left-facing mantis).
#include "SpriteSet.h"

#include <cmath>
#include <numbers>

namespace kelvane::artgen {

namespace {
void drawShrimp(PixelCanvas& c, Mat body) {
    // Segments along a gentle curl, tail at the left.
    const double segments[][3] = {{4, 3.5, 2.0}, {6.5, 4.5, 2.5}, {9, 4.8, 2.8}, {11.5, 4.5, 2.8}};
    for (auto [x, y, r] : segments) {
        c.fillEllipse(x, y + 1, r, r * 0.9, body, 2);
    }
    c.fillPolygon({{0, 1}, {3.5, 3.5}, {0, 6.5}}, body, 2); // tail fan
    c.fillEllipse(13, 4.5, 2, 1.8, body, 2);                // head
    for (double x : {5.5, 8.0, 10.5}) {
        c.line(static_cast<int>(x), 7, static_cast<int>(x) - 1, 9, body, 0); // legs
    }
    c.line(14, 3, 15, 0, body, 1); // antennae
    c.line(15, 4, 15, 2, body, 1);
    c.shadeEdges();
    for (double x : {6.5, 9.0, 11.5}) {
        c.line(static_cast<int>(x), 3, static_cast<int>(x), 6, body, 1); // segment seams
    }
    c.set(13, 4, Mat::Dark, 0); // eye
    c.outline(Mat::Light, 1);   // pale, so the shrimp shows on dark ground and water
    c.mirrorX();
}

void drawUrchin(PixelCanvas& c) {
    // Bright spines inside a dark line and a pale ring: a hazard must read on dirt, rock and water.
    const double cx = 8, cy = 8;
    for (int i = 0; i < 12; ++i) {
        double a = i * std::numbers::pi / 6 + 0.2;
        c.line(static_cast<int>(cx), static_cast<int>(cy),
               static_cast<int>(std::lround(cx + 5.6 * std::cos(a))),
               static_cast<int>(std::lround(cy + 5.6 * std::sin(a))), Mat::Purple, 3);
    }
    c.fillEllipse(cx, cy, 3.8, 3.6, Mat::Purple, 2);
    c.shadeEdges();
    c.paintEllipse(cx - 1.2, cy - 1.2, 1.4, 1.2, Mat::Light, 3);
    c.set(8, 10, Mat::Red, 3);
    c.set(6, 9, Mat::Red, 3);
    c.outline();
    c.outline(Mat::Light, 2);
}

void drawChest(PixelCanvas& c) {
    c.fillRect(1, 5, 14, 8, Mat::Wood, 2);
    c.fillEllipse(8, 5, 7, 3.5, Mat::Wood, 2);
    c.fillRect(1, 5, 14, 1, Mat::Wood, 0);
    for (int x : {1, 14}) {
        c.fillRect(x, 2, 1, 11, Mat::Gold, 1); // bands
    }
    c.fillRect(7, 5, 2, 3, Mat::Gold, 3); // lock
    c.set(7, 7, Mat::Gold, 0);
    for (int y : {8, 11}) {
        c.line(2, y, 13, y, Mat::Wood, 1); // planks
    }
    c.shadeEdges();
    c.outline();
}

void drawMantis(PixelCanvas& c, bool charged) {
    const Mat shell = Mat::Green;
    const Mat belly = charged ? Mat::Red : Mat::Orange;
    // Tail and abdomen segments from the left, rising to the thorax.
    c.fillPolygon({{1, 20}, {9, 14}, {9, 28}}, shell, 2);
    const double segs[][4] = {
        {12, 22, 5, 6}, {19, 21, 5.5, 7}, {26, 20, 6, 8}, {33, 19, 6, 8.5}, {40, 17, 6, 8}};
    for (auto [x, y, rx, ry] : segs) {
        c.fillEllipse(x, y, rx, ry, shell, 2);
    }
    for (auto [x, y, rx, ry] : segs) {
        c.line(static_cast<int>(x + rx - 1), static_cast<int>(y - ry + 2), static_cast<int>(x + rx - 1),
               static_cast<int>(y + ry - 2), shell, 1);
    }
    // Underside stripes.
    for (int x = 8; x < 46; ++x) {
        for (int y = 39; y >= 0; --y) {
            if (c.material(x, y) == shell) {
                c.set(x, y, belly, 1);
                c.set(x, y - 1, belly, 2);
                break;
            }
        }
    }
    // Head with stalked eyes.
    c.fillEllipse(48, 13, 6, 5, shell, 2);
    c.fillRect(49, 3, 2, 6, shell, 1);
    c.fillRect(53, 4, 2, 5, shell, 1);
    c.fillEllipse(50, 3, 2.2, 2.2, Mat::Glass, 2);
    c.fillEllipse(54, 4, 2.2, 2.2, Mat::Glass, 2);
    // Raptorial claws: folded when seeking, cocked and glowing when charged.
    if (charged) {
        c.fillPolygon({{46, 19}, {58, 14}, {60, 17}, {48, 23}}, belly, 2);
        c.fillPolygon({{56, 13}, {63, 6}, {63, 10}, {59, 16}}, belly, 3);
        c.fillEllipse(61, 10, 2.5, 2.5, Mat::Gold, 3);
    } else {
        c.fillPolygon({{45, 19}, {55, 24}, {53, 27}, {44, 22}}, belly, 2);
        c.fillPolygon({{54, 23}, {60, 31}, {57, 32}, {52, 26}}, belly, 2);
    }
    // Legs.
    for (int x : {18, 25, 32, 39}) {
        c.line(x, 28, x - 2, 34, shell, 0);
        c.line(x - 2, 34, x - 4, 35, shell, 0);
    }
    c.shadeEdges();
    c.set(50, 2, Mat::Glass, 3);
    c.set(54, 3, Mat::Glass, 3);
    c.set(51, 4, Mat::Dark, 0);
    c.set(55, 5, Mat::Dark, 0);
    c.outline(Mat::Light, 1);
    c.mirrorX();
}
} // namespace

void drawCreatures(SpriteSet& set) {
    drawShrimp(set.add("Game", "Shrimp", 17, 11), Mat::Red);
    drawShrimp(set.add("Game", "ShrimpFast", 17, 11), Mat::Orange);
    drawUrchin(set.add("Game", "SeaUrchin", 16, 16));
    drawChest(set.add("Game", "Chest", 16, 14));
    drawMantis(set.add("Game", "MantisShrimp", 64, 40), false);
    drawMantis(set.add("Game", "MantisShrimpCharged", 64, 40), true);
    {
        PixelCanvas& c = set.add("Game", "BallProjectile", 9, 9);
        c.fillEllipse(4.5, 4.5, 3.6, 3.6, Mat::Purple, 2);
        c.shadeEdges();
        c.paintEllipse(3.5, 3.5, 1.5, 1.5, Mat::Light, 3);
        c.outline();
    }
}

} // namespace kelvane::artgen
