#pragma once

#include "core/Component.h"
#include "core/Vector2.h"
#include "reflection/IEditable.h"

// Makes an object a thing of the thing grid: "Pos" is where the grid last knew it to be, which
// decides the cell it is filed under.
class ThingComponent : public Component, public IEditable {
public:
    static constexpr const char* ClassName = "ThingComponent";

    ThingComponent();
    ShortcutSlot Slot() const override { return ShortcutSlot::Thing; }

    Vector2 Pos;
};
