#pragma once

#include <vector>

#include "core/Behavior.h"

class TileSpriteBhv;

// Draws the tiles around the world camera with a fixed pool of "TileSprite" objects, one per cell
// of a window-sized grid, placed anew every frame: the cost is set by the window, not the world.
class TileDisplayManagerBhv : public Behavior {
public:
    static constexpr const char* ClassName = "TileDisplayManagerBhv";

    // Builds the pool: (window width - 320) / 16 + 2 columns, window height / 16 + 2 rows. Throws
    // ContentError when there is no "TileSprite" prefab.
    void Start() override;
    // Moves each pool entry to its cell and shows that cell's tile image, or hides it.
    void Update() override;

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    const std::vector<TileSpriteBhv*>& Pool() const { return pool_; }

private:
    int columns_ = 0;
    int rows_ = 0;
    std::vector<TileSpriteBhv*> pool_; // row-major
};
