#pragma once

#include "core/Component.h"
#include "core/Vector2.h"
#include "reflection/IEditable.h"

// A position in world units, optionally relative to the nearest ancestor position. Line-aligned so
// that the fields a draw reads (Pos, Rotation, IsRelative) never straddle two cache lines.
class alignas(64) Pos2dComponent : public Component, public IEditable {
public:
    Pos2dComponent();

    ShortcutSlot Slot() const override { return ShortcutSlot::Pos2d; }

    // The chained position: this Pos plus, while IsRelative holds, the Pos of each ancestor that has
    // one. Ancestors without a Pos2dComponent are passed through; rotation is not composed.
    Vector2 WorldPosition() const;

    Vector2 Pos;
    float Rotation = 0.0f;
    bool IsRelative = false;
};
