// The menus' own pieces (in the "Game" texture): the message box and the coin beside the money.
// The menu panel and the dimming layer are the interface set's.
#include "SpriteSet.h"

namespace kelvane::artgen {

namespace {
// A bevelled frame `thick` pixels wide: light top-left, dark bottom-right.
void bevel(PixelCanvas& c, int w, int h, int thick, Mat mat) {
    for (int i = 0; i < thick; ++i) {
        c.fillRect(i, i, w - 2 * i, 1, mat, i == 0 ? 3 : 2);
        c.fillRect(i, i, 1, h - 2 * i, mat, i == 0 ? 3 : 2);
        c.fillRect(i, h - 1 - i, w - 2 * i, 1, mat, i == 0 ? 0 : 1);
        c.fillRect(w - 1 - i, i, 1, h - 2 * i, mat, i == 0 ? 0 : 1);
    }
}
} // namespace

void drawMenus(SpriteSet& set) {
    {
        // The message box: a darker, plainer panel than the menus', so it reads as a pop-up.
        const int w = 380, h = 150;
        PixelCanvas& c = set.add("Game", "MessageBoxPanel", w, h);
        for (int y = 0; y < h; ++y) {
            c.fillRect(0, y, w, 1, Mat::Panel, y < 30 ? 2 : 1);
        }
        ArtRandom rng(23);
        for (int i = 0; i < 40; ++i) {
            c.set(rng.range(6, w - 7), rng.range(34, h - 7), Mat::Panel, 2);
        }
        c.fillRect(4, 30, w - 8, 2, Mat::Frame, 1);
        bevel(c, w, h, 4, Mat::Frame);
        for (auto [x, y] : {std::pair{8, 8}, {w - 10, 8}, {8, h - 10}, {w - 10, h - 10}}) {
            c.set(x, y, Mat::Frame, 3);
            c.set(x + 1, y, Mat::Frame, 2);
            c.set(x, y + 1, Mat::Frame, 2);
            c.set(x + 1, y + 1, Mat::Frame, 0);
        }
    }
    {
        // A gold coin with a stamped rim.
        PixelCanvas& c = set.add("Game", "MenuCoin", 16, 16);
        c.fillEllipse(7.5, 7.5, 7.0, 7.0, Mat::Gold, 2);
        c.paintEllipse(7.5, 7.5, 4.5, 4.5, Mat::Gold, 1);
        c.paintEllipse(7.0, 7.0, 3.5, 3.5, Mat::Gold, 2);
        c.fillRect(7, 5, 2, 6, Mat::Gold, 3);
        c.shadeEdges();
        c.outline();
    }
}

} // namespace kelvane::artgen
