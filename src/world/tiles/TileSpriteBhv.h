#pragma once

#include "core/Behavior.h"

// Marks the pooled objects ("TileSprite" prefab: a sprite and a position) that show the tiles.
class TileSpriteBhv : public Behavior {
public:
    static constexpr const char* ClassName = "TileSpriteBhv";

    // The atlas sprite shown while drawn; -1 before the first placement.
    int ShownImage = -1;
};
