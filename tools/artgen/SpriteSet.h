#pragma once

#include "PixelCanvas.h"

#include <string>
#include <vector>

namespace kelvane::artgen {

struct Sprite {
    std::string texture; // "Game" or "Editor": the atlas folder the PNG goes to
    std::string name;    // the sprite name the game looks up
    PixelCanvas canvas;
};

// Every sprite the art program draws, in drawing order (the contact sheet keeps it).
class SpriteSet {
public:
    // Starts a new sprite and returns its canvas to draw on.
    PixelCanvas& add(const std::string& texture, const std::string& name, int width, int height) {
        sprites_.push_back(Sprite{texture, name, PixelCanvas(width, height)});
        return sprites_.back().canvas;
    }
    void addCopy(const std::string& texture, const std::string& name, const PixelCanvas& canvas) {
        sprites_.push_back(Sprite{texture, name, canvas});
    }
    const std::vector<Sprite>& sprites() const { return sprites_; }

private:
    std::vector<Sprite> sprites_;
};

// The drawing groups, one file each.
void drawTiles(SpriteSet& set);
void drawMachines(SpriteSet& set);
void drawCreatures(SpriteSet& set);
void drawPickupsAndIcons(SpriteSet& set);
void drawInterface(SpriteSet& set);
void drawMenus(SpriteSet& set);
void drawStore(SpriteSet& set);
void drawEditorWidgets(SpriteSet& set);

} // namespace kelvane::artgen
