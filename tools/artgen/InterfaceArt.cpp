// The HUD panel, its frames and bars, and the menus (in the "Game" texture), and the editor's
// widgets (the "Editor" texture). Widgets that the game tints are drawn near-white.
#include "SpriteSet.h"

namespace kelvane::artgen {

namespace {
// A bevelled frame: light top-left, dark bottom-right, `thick` pixels wide.
void frame(PixelCanvas& c, int x, int y, int w, int h, int thick, Mat mat) {
    for (int i = 0; i < thick; ++i) {
        c.fillRect(x + i, y + i, w - 2 * i, 1, mat, i == 0 ? 3 : 2);
        c.fillRect(x + i, y + i, 1, h - 2 * i, mat, i == 0 ? 3 : 2);
        c.fillRect(x + i, y + h - 1 - i, w - 2 * i, 1, mat, i == 0 ? 0 : 1);
        c.fillRect(x + w - 1 - i, y + i, 1, h - 2 * i, mat, i == 0 ? 0 : 1);
    }
}

void rivet(PixelCanvas& c, int x, int y) {
    c.set(x, y, Mat::Frame, 3);
    c.set(x + 1, y, Mat::Frame, 2);
    c.set(x, y + 1, Mat::Frame, 2);
    c.set(x + 1, y + 1, Mat::Frame, 0);
}

// Deep-water panel: a slow vertical gradient with a faint dither between bands.
void panelFill(PixelCanvas& c, int x, int y, int w, int h) {
    for (int yy = 0; yy < h; ++yy) {
        int band = yy * 3 / h; // 0..2, lighter at the top
        for (int xx = 0; xx < w; ++xx) {
            int shade = 2 - band;
            int edge = (yy * 3) % h;
            if (band < 2 && edge > h - h / 12 && (xx + yy) % 2 == 0) {
                shade -= 1;
            }
            c.set(x + xx, y + yy, Mat::Panel, shade);
        }
    }
}

void bubbles(PixelCanvas& c, int x, int y, int w, int h, std::uint32_t seed) {
    ArtRandom rng(seed);
    for (int i = 0; i < w * h / 900; ++i) {
        int bx = x + rng.range(4, w - 6), by = y + rng.range(4, h - 6);
        c.set(bx, by, Mat::Panel, 3);
        if (rng.chance(40)) {
            c.set(bx + 1, by - 2, Mat::Panel, 3);
        }
    }
}

void slotFrame(PixelCanvas& c, Mat mat) {
    c.fillRect(0, 0, c.width(), c.height(), Mat::Dark, 2);
    frame(c, 0, 0, c.width(), c.height(), 2, mat);
    frame(c, 3, 3, c.width() - 6, c.height() - 6, 1, Mat::Panel);
    // Inner frame shades read as a recess: swap its light and dark sides.
    c.fillRect(3, 3, c.width() - 6, 1, Mat::Panel, 0);
    c.fillRect(3, 3, 1, c.height() - 6, Mat::Panel, 0);
}

void arrow(PixelCanvas& c, bool up) {
    const int w = c.width(), h = c.height();
    const double tip = up ? 0.5 : h - 0.5, base = up ? h - 2.5 : 2.5;
    c.fillPolygon({{w / 2.0, tip}, {w - 0.5, base}, {0.5, base}}, Mat::Frame, 2);
    c.shadeEdges();
    c.outline();
}

void button(PixelCanvas& c, Mat face, int topShade) {
    const int w = c.width(), h = c.height();
    for (int y = 0; y < h; ++y) {
        c.fillRect(0, y, w, 1, face, y < h / 2 ? topShade : topShade - 1);
    }
    frame(c, 0, 0, w, h, 2, Mat::Frame);
}

void gradientWidget(PixelCanvas& c) {
    // Light at the top, a touch darker below: drawn mirrored it reads as pressed.
    const int h = c.height();
    for (int y = 0; y < h; ++y) {
        int shade = y < h / 3 ? 3 : y < 2 * h / 3 ? 2 : 1;
        c.fillRect(0, y, c.width(), 1, Mat::Light, shade);
    }
    c.fillRect(0, h - 1, c.width(), 1, Mat::Light, 0);
}
} // namespace

void drawInterface(SpriteSet& set) {
    {
        PixelCanvas& c = set.add("Game", "HudPanel", 320, 720);
        panelFill(c, 0, 0, 320, 720);
        bubbles(c, 0, 0, 320, 720, 7);
        frame(c, 0, 0, 320, 720, 4, Mat::Frame);
        c.fillRect(4, 4, 2, 712, Mat::Dark, 2); // the seam against the world view
        for (int y = 12; y < 720; y += 48) {
            rivet(c, 8, y);
            rivet(c, 310, y);
        }
    }
    slotFrame(set.add("Game", "QuickslotFrame", 55, 49), Mat::Frame);
    slotFrame(set.add("Game", "QuickslotFrameSelected", 55, 49), Mat::Gold);
    {
        // Laid over a quick-slot frame: only the rim, so the icon inside shows; the HUD fades it
        // on the slots that are not selected.
        PixelCanvas& c = set.add("Game", "QuickslotBorder", 55, 49);
        frame(c, 0, 0, 55, 49, 2, Mat::Gold);
    }
    {
        PixelCanvas& c = set.add("Game", "BarFrame", 200, 14);
        c.fillRect(0, 0, 200, 14, Mat::Dark, 1);
        frame(c, 0, 0, 200, 14, 2, Mat::Frame);
    }
    {
        // Tinted by the HUD (health red, boss purple); a highlight line keeps it glossy.
        PixelCanvas& c = set.add("Game", "BarFill", 8, 10);
        c.fillRect(0, 0, 8, 10, Mat::Light, 2);
        c.fillRect(0, 1, 8, 2, Mat::Light, 3);
        c.fillRect(0, 8, 8, 2, Mat::Light, 0);
    }
    {
        PixelCanvas& c = set.add("Game", "WhiteSquare", 8, 8);
        c.fillRect(0, 0, 8, 8, Mat::Light, 3);
    }
    arrow(set.add("Game", "ScrollArrowUp", 17, 11), true);
    arrow(set.add("Game", "ScrollArrowDown", 17, 11), false);
    {
        PixelCanvas& c = set.add("Game", "MenuPanel", 400, 320);
        panelFill(c, 0, 0, 400, 320);
        bubbles(c, 0, 0, 400, 320, 9);
        frame(c, 0, 0, 400, 320, 4, Mat::Frame);
        c.fillRect(4, 36, 392, 2, Mat::Frame, 1); // under the title
        for (auto [x, y] : {std::pair{8, 8}, {390, 8}, {8, 310}, {390, 310}}) {
            rivet(c, x, y);
        }
    }
    {
        // The dim layer behind menus: see-through dark water.
        PixelCanvas& c = set.add("Game", "MenuDim", 4, 4);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                c.setColor(x, y, 4, 12, 24, 176);
            }
        }
    }
    button(set.add("Game", "Button", 200, 32), Mat::Panel, 3);
    button(set.add("Game", "ButtonHover", 200, 32), Mat::Frame, 1);
    button(set.add("Game", "ButtonPressed", 200, 32), Mat::Panel, 1);
    {
        PixelCanvas& c = set.add("Game", "ListRow", 280, 24);
        c.fillRect(0, 0, 280, 24, Mat::Light, 3);
    }
}

void drawEditorWidgets(SpriteSet& set) {
    set.add("Editor", "1PixelWhite", 1, 1).setColor(0, 0, 255, 255, 255, 255);
    {
        PixelCanvas& c = set.add("Editor", "WhiteBox", 8, 8);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                c.setColor(x, y, 255, 255, 255, 255);
            }
        }
    }
    gradientWidget(set.add("Editor", "EdButton", 64, 20));
    gradientWidget(set.add("Editor", "EdTitleBar", 64, 16));
    {
        PixelCanvas& c = set.add("Editor", "EdField", 64, 16);
        c.fillRect(0, 0, 64, 16, Mat::Light, 3);
        c.fillRect(0, 0, 64, 1, Mat::Light, 0);
        c.fillRect(0, 0, 1, 16, Mat::Light, 0);
    }
    {
        PixelCanvas& c = set.add("Editor", "EdPanel", 32, 32);
        c.fillRect(0, 0, 32, 32, Mat::Light, 2);
        frame(c, 0, 0, 32, 32, 1, Mat::Light);
    }
    {
        PixelCanvas& c = set.add("Editor", "EdCheck", 12, 12);
        c.fillRect(0, 0, 12, 12, Mat::Light, 3);
        frame(c, 0, 0, 12, 12, 1, Mat::Light);
        c.line(2, 6, 4, 9, Mat::Dark, 2);
        c.line(4, 9, 9, 2, Mat::Dark, 2);
    }
    {
        PixelCanvas& c = set.add("Editor", "EdArrowUp", 9, 6);
        c.fillPolygon({{4.5, 0}, {9, 5.5}, {0, 5.5}}, Mat::Light, 3);
    }
    {
        PixelCanvas& c = set.add("Editor", "EdArrowDown", 9, 6);
        c.fillPolygon({{0, 0.5}, {9, 0.5}, {4.5, 6}}, Mat::Light, 3);
    }
    {
        PixelCanvas& c = set.add("Editor", "EdCross", 7, 7);
        c.line(0, 0, 6, 6, Mat::Light, 3);
        c.line(0, 6, 6, 0, Mat::Light, 3);
    }
    {
        PixelCanvas& c = set.add("Editor", "EdRing", 16, 16);
        c.fillEllipse(8, 8, 8, 8, Mat::Light, 3);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                double dx = x + 0.5 - 8, dy = y + 0.5 - 8;
                if (dx * dx + dy * dy < 6.6 * 6.6) {
                    c.clear(x, y);
                }
            }
        }
    }
    {
        PixelCanvas& c = set.add("Editor", "EdHandle", 6, 6);
        c.fillRect(0, 0, 6, 6, Mat::Dark, 3);
        c.fillRect(1, 1, 4, 4, Mat::Light, 3);
    }
}

} // namespace kelvane::artgen
