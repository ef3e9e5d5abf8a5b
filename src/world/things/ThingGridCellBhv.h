#pragma once

#include "core/Behavior.h"
#include "core/Rect.h"

// One 30 x 30 cell of the thing grid; its things are its object's children.
class ThingGridCellBhv : public Behavior {
public:
    static constexpr const char* ClassName = "ThingGridCellBhv";

    ThingGridCellBhv() { RegisterProperty("Bounds", &Bounds); }

    // (x, y) is the corner of smallest coordinates.
    Rect Bounds;
};
