#pragma once

#include "core/Behavior.h"

// Drops a live bomb (or, from the nuke factory, a live nuke) just below the submarine, moving with
// it. Bombs are used up; the nuke factory never is.
class Item_BombBhv : public Behavior {
public:
    static constexpr const char* ClassName = "Item_BombBhv";
    static constexpr float DropBelow = 1.5f;

    Item_BombBhv();

    void HandleInput() override;

    bool IsNuke = false;
};
