// The player's machines and the world's built things: submarines, tool arms, explosives, the boss
// gate and the supply station. Side view, facing right; light from the upper left.
#include "SpriteSet.h"

#include <cmath>

namespace kelvane::artgen {

namespace {
void porthole(PixelCanvas& c, double cx, double cy, double r) {
    c.fillEllipse(cx, cy, r + 1, r + 1, Mat::Steel, 1);
    c.fillEllipse(cx, cy, r, r, Mat::Glass, 1);
    c.set(static_cast<int>(cx - r / 2), static_cast<int>(cy - r / 2), Mat::Glass, 3);
    c.set(static_cast<int>(cx - r / 2) + 1, static_cast<int>(cy - r / 2), Mat::Glass, 2);
}

void darkenBelow(PixelCanvas& c, int fromY) {
    for (int y = fromY; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            if (c.material(x, y) == Mat::Hull || c.material(x, y) == Mat::Steel) {
                c.adjust(x, y, -1);
            }
        }
    }
}

struct SubLook {
    Mat hull;
    Mat accent;
    int portholes;
};

void drawSub(PixelCanvas& c, const SubLook& look) {
    const double w = c.width();
    const double h = c.height();
    const double cx = w * 0.5, cy = h * 0.62, rx = w * 0.42, ry = h * 0.3;
    // Propeller and tail fin behind the hull.
    c.fillRect(1, static_cast<int>(cy - 3), 3, 7, Mat::Steel, 2);
    c.fillPolygon({{cx - rx - 1, cy - 1}, {cx - rx + 4, cy - ry}, {cx - rx + 6, cy}}, look.accent, 2);
    // Hull, tower, periscope.
    c.fillEllipse(cx, cy, rx, ry, look.hull, 2);
    const int towerW = static_cast<int>(w * 0.28);
    const int towerX = static_cast<int>(cx - towerW * 0.4);
    const int towerTop = static_cast<int>(cy - ry - h * 0.22);
    c.fillRect(towerX, towerTop + 1, towerW, static_cast<int>(cy - towerTop), look.hull, 2);
    c.fillRect(towerX + 1, towerTop, towerW - 2, 1, look.hull, 2);
    c.line(towerX + towerW - 3, towerTop - 1, towerX + towerW - 3, towerTop - 3, Mat::Steel, 2);
    c.line(towerX + towerW - 3, towerTop - 3, towerX + towerW - 1, towerTop - 3, Mat::Steel, 2);
    // Accent stripe along the belly.
    for (int x = 0; x < c.width(); ++x) {
        for (int y = static_cast<int>(cy + ry * 0.35); y < static_cast<int>(cy + ry * 0.35) + 2; ++y) {
            if (c.material(x, y) == look.hull) {
                c.set(x, y, look.accent, 1);
            }
        }
    }
    darkenBelow(c, static_cast<int>(cy + ry * 0.35) + 2);
    // Portholes along the hull, front last.
    const double spacing = rx * 0.55;
    for (int i = 0; i < look.portholes; ++i) {
        porthole(c, cx + rx * 0.35 - (look.portholes - 1 - i) * spacing, cy - 1, h >= 26 ? 2.2 : 1.8);
    }
    // Headlamp at the bow.
    c.set(static_cast<int>(cx + rx) - 1, static_cast<int>(cy), Mat::Gold, 3);
    c.shadeEdges();
    c.paintEllipse(cx - rx * 0.3, cy - ry * 0.55, rx * 0.35, 1.2, look.hull, 3);
    c.outline();
}

void drawGate(PixelCanvas& c, bool open) {
    const int w = c.width(), h = c.height();
    // Pillars and lintel of carved boss-wall stone.
    c.fillRect(0, 0, 6, h, Mat::BossWall, 1);
    c.fillRect(w - 6, 0, 6, h, Mat::BossWall, 1);
    c.fillRect(0, 0, w, 8, Mat::BossWall, 2);
    for (int y = 12; y < h; y += 10) {
        c.line(0, y, 5, y, Mat::BossWall, 0);
        c.line(w - 6, y, w - 1, y, Mat::BossWall, 0);
    }
    // Glowing eye on the lintel: red when shut, green when open.
    c.fillEllipse(w / 2.0, 4, 3, 2.2, open ? Mat::Green : Mat::Red, 3);
    c.set(w / 2, 4, open ? Mat::Green : Mat::Red, 1);
    const int barBottom = open ? 14 : h;
    for (int x = 8; x < w - 7; x += 4) {
        c.fillRect(x, 8, 2, barBottom - 8, Mat::Steel, 2);
        c.fillRect(x + 1, 8, 1, barBottom - 8, Mat::Steel, 1);
        if (!open) {
            c.fillPolygon({{x - 0.5, h - 4.0}, {x + 2.5, h - 4.0}, {x + 1.0, static_cast<double>(h)}},
                          Mat::Steel, 3);
        }
    }
    if (!open) {
        for (int y = 24; y < h - 8; y += 22) {
            c.fillRect(6, y, w - 12, 3, Mat::Steel, 1);
        }
    }
    c.shadeEdges();
    c.outline();
}
} // namespace

void drawMachines(SpriteSet& set) {
    drawSub(set.add("Game", "Sub_PoBoy", 32, 22), SubLook{Mat::Hull, Mat::Red, 1});
    drawSub(set.add("Game", "Sub_Trawler", 40, 26), SubLook{Mat::Orange, Mat::Steel, 2});
    drawSub(set.add("Game", "Sub_Leviathan", 48, 30), SubLook{Mat::Steel, Mat::Purple, 3});

    {
        PixelCanvas& c = set.add("Game", "DrillStem", 12, 5);
        c.fillRect(0, 1, 12, 3, Mat::Steel, 2);
        c.line(0, 3, 11, 3, Mat::Steel, 1);
        c.set(3, 2, Mat::Steel, 3);
        c.set(8, 2, Mat::Steel, 3);
        c.outline();
    }
    {
        // White so the drill's tint colours it (plastic, steel, diamond).
        PixelCanvas& c = set.add("Game", "DrillHead", 13, 11);
        c.fillPolygon({{1, 1}, {12.5, 5.5}, {1, 10}}, Mat::Light, 2);
        for (int x = 2; x < 12; x += 3) {
            c.line(x, 2 + (x - 1) * 4 / 12, x + 1, 9 - (x - 1) * 4 / 12, Mat::Light, 0);
        }
        c.shadeEdges();
        c.outline();
    }
    {
        PixelCanvas& c = set.add("Game", "BlockPlacerArm", 16, 9);
        c.fillRect(0, 3, 10, 3, Mat::Steel, 2);
        c.fillRect(9, 1, 3, 7, Mat::Steel, 1);
        c.fillRect(12, 1, 3, 2, Mat::Steel, 2);
        c.fillRect(12, 6, 3, 2, Mat::Steel, 2);
        c.fillRect(12, 4, 2, 1, Mat::Green, 3);
        c.shadeEdges();
        c.outline();
    }
    {
        PixelCanvas& c = set.add("Game", "ZapperBolt", 24, 9);
        const int ys[] = {4, 1, 6, 2, 7, 3, 5, 4};
        for (int i = 0; i + 1 < 8; ++i) {
            c.line(i * 3, ys[i], (i + 1) * 3, ys[i + 1], Mat::Glass, 1);
        }
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 24; ++x) {
                if (c.filled(x, y)) {
                    c.set(x, y, Mat::Light, 3);
                }
            }
        }
        c.outline(); // a glow ring in place of the dark outline
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 24; ++x) {
                if (c.material(x, y) == Mat::Outline) {
                    c.set(x, y, Mat::Glass, 2);
                }
            }
        }
    }
    {
        PixelCanvas& c = set.add("Game", "Bomb", 12, 13);
        c.fillEllipse(6, 7.5, 4.8, 4.8, Mat::Basalt, 2);
        c.fillRect(5, 1, 3, 2, Mat::Steel, 2);
        c.set(8, 0, Mat::Orange, 3);
        c.paintEllipse(4.5, 5.5, 1.5, 1.2, Mat::Basalt, 3);
        c.set(6, 8, Mat::Red, 3);
        c.shadeEdges();
        c.outline();
    }
    {
        PixelCanvas& c = set.add("Game", "Nuke", 16, 16);
        c.fillEllipse(8, 8.5, 6.5, 6.5, Mat::Hull, 2);
        c.fillRect(6, 0, 4, 3, Mat::Steel, 2);
        // Trefoil of the hazard sign.
        c.fillEllipse(8, 8.5, 1.3, 1.3, Mat::Dark, 1);
        c.fillPolygon({{8, 8.5}, {5.5, 4.5}, {10.5, 4.5}}, Mat::Dark, 1);
        c.fillPolygon({{8, 8.5}, {3.5, 10.5}, {6, 13}}, Mat::Dark, 1);
        c.fillPolygon({{8, 8.5}, {12.5, 10.5}, {10, 13}}, Mat::Dark, 1);
        c.fillEllipse(8, 8.5, 0.7, 0.7, Mat::Hull, 2);
        c.shadeEdges();
        c.outline();
    }
    drawGate(set.add("Game", "BossGateClosed", 32, 96), false);
    drawGate(set.add("Game", "BossGateOpen", 32, 96), true);
    {
        PixelCanvas& c = set.add("Game", "SupplyStation", 64, 48);
        c.fillRect(2, 40, 60, 6, Mat::Steel, 1);      // docking pad
        c.fillRect(6, 22, 52, 18, Mat::Steel, 2);     // body
        c.fillEllipse(32, 23, 24, 13, Mat::Glass, 1); // dome
        c.fillRect(6, 23, 52, 17, Mat::Steel, 2);
        c.paintEllipse(24, 16, 8, 4, Mat::Glass, 2);
        c.fillRect(27, 2, 2, 9, Mat::Steel, 1); // mast
        c.fillEllipse(28, 2, 2, 2, Mat::Green, 3);
        c.fillRect(12, 26, 18, 10, Mat::Panel, 3); // sign board
        // A "$" on the sign.
        const char* dollar[] = {".XXX.", "X.X..", ".XXX.", "..X.X", ".XXX."};
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 5; ++x) {
                if (dollar[y][x] == 'X') {
                    c.set(18 + x, 28 + y, Mat::Gold, 3);
                }
            }
        }
        c.set(20, 27, Mat::Gold, 3);
        c.set(20, 33, Mat::Gold, 3);
        c.fillRect(36, 28, 14, 12, Mat::Dark, 2); // airlock door
        c.fillRect(38, 30, 10, 1, Mat::Gold, 2);
        for (int x = 6; x < 60; x += 8) {
            c.set(x, 43, Mat::Gold, 3); // pad lights
        }
        c.shadeEdges();
        c.outline();
    }
}

} // namespace kelvane::artgen
