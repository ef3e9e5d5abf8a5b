// The supply-station store (in the "Game" texture): the panel of the buy and sell lists, the
// smaller panel of the store's front page, the list row the store tints (normal or selected),
// drawn near-white so the tint alone decides its colour, and the rim of the selected row.
#include "SpriteSet.h"

namespace kelvane::artgen {

namespace {
// A bevelled border `thick` pixels wide: light top-left, dark bottom-right.
void bevel(PixelCanvas& c, int x, int y, int w, int h, int thick, Mat mat) {
    for (int i = 0; i < thick; ++i) {
        c.fillRect(x + i, y + i, w - 2 * i, 1, mat, i == 0 ? 3 : 2);
        c.fillRect(x + i, y + i, 1, h - 2 * i, mat, i == 0 ? 3 : 2);
        c.fillRect(x + i, y + h - 1 - i, w - 2 * i, 1, mat, i == 0 ? 0 : 1);
        c.fillRect(x + w - 1 - i, y + i, 1, h - 2 * i, mat, i == 0 ? 0 : 1);
    }
}

// Deep water behind the lists: darker towards the bottom, with a dithered seam between bands and a
// few bubbles.
void water(PixelCanvas& c, std::uint32_t seed) {
    const int w = c.width(), h = c.height();
    for (int y = 0; y < h; ++y) {
        const int band = y * 3 / h;
        for (int x = 0; x < w; ++x) {
            int shade = 2 - band;
            if (band < 2 && (y * 3) % h > h - h / 14 && (x + y) % 2 == 0) {
                shade -= 1;
            }
            c.set(x, y, Mat::Panel, shade);
        }
    }
    ArtRandom rng(seed);
    for (int i = 0; i < w * h / 1400; ++i) {
        const int bx = rng.range(8, w - 10), by = rng.range(8, h - 10);
        c.set(bx, by, Mat::Panel, 3);
        if (rng.chance(35)) {
            c.set(bx + 1, by - 2, Mat::Panel, 3);
        }
    }
}

// Brass bolts in the corners, like the station's hatch.
void bolts(PixelCanvas& c) {
    const int w = c.width(), h = c.height();
    for (auto [x, y] : {std::pair{9, 9}, {w - 12, 9}, {9, h - 12}, {w - 12, h - 12}}) {
        c.fillRect(x, y, 3, 3, Mat::Gold, 2);
        c.set(x, y, Mat::Gold, 3);
        c.set(x + 2, y + 2, Mat::Gold, 0);
    }
}

// A panel with a title bar `titleHeight` pixels tall under the top border.
void panel(PixelCanvas& c, int titleHeight, std::uint32_t seed) {
    const int w = c.width(), h = c.height();
    water(c, seed);
    c.fillRect(5, 5, w - 10, titleHeight, Mat::Panel, 3);
    c.fillRect(5, 5 + titleHeight, w - 10, 2, Mat::Frame, 1);
    bevel(c, 0, 0, w, h, 5, Mat::Frame);
    bolts(c);
}
} // namespace

void drawStore(SpriteSet& set) {
    panel(set.add("Game", "StorePanel", 720, 600), 48, 21);
    panel(set.add("Game", "StoreMainPanel", 420, 440), 48, 23);
    {
        // Tinted by the lists: a light face with a soft top highlight, a darker lip and a recess
        // for the item's icon.
        PixelCanvas& c = set.add("Game", "StoreRow", 660, 66);
        c.fillRect(0, 0, 660, 66, Mat::Light, 2);
        c.fillRect(2, 2, 656, 14, Mat::Light, 3);
        c.fillRect(0, 62, 660, 4, Mat::Light, 0);
        bevel(c, 0, 0, 660, 66, 2, Mat::Light);
        c.fillRect(8, 7, 52, 52, Mat::Light, 0);
        bevel(c, 8, 7, 52, 52, 1, Mat::Light);
    }
    {
        // Laid over the selected row: a gold rim, clear inside, so the chosen line stands out
        // whatever its tint.
        PixelCanvas& c = set.add("Game", "StoreRowOutline", 660, 66);
        bevel(c, 0, 0, 660, 66, 4, Mat::Gold);
    }
    {
        // The needs section's strip behind its rows.
        PixelCanvas& c = set.add("Game", "StoreNeedsStrip", 360, 150);
        c.fillRect(0, 0, 360, 150, Mat::Dark, 3);
        bevel(c, 0, 0, 360, 150, 2, Mat::Gold);
    }
}

} // namespace kelvane::artgen
