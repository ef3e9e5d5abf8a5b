#pragma once

#include "core/Component.h"
#include "core/SinCos.h"
#include "core/Vector2.h"
#include "reflection/IEditable.h"

// A position in world units, optionally relative to the nearest ancestor position. Line-aligned so
// that the fields a draw reads (Pos, Rotation, IsRelative and the cached cosine and sine) never
// straddle two cache lines.
class alignas(64) Pos2dComponent : public Component, public IEditable {
public:
    static constexpr const char* ClassName = "Pos2dComponent";

    Pos2dComponent();

    ShortcutSlot Slot() const override { return ShortcutSlot::Pos2d; }

    // The chained position: this Pos plus, while IsRelative holds, the Pos of each ancestor that has
    // one. Ancestors without a Pos2dComponent are passed through; rotation is not composed.
    Vector2 WorldPosition() const;

    // Cosine and sine of Rotation, kept from the last call while Rotation stays the same: drawing
    // asks every frame, and most objects keep their angle. Main thread only.
    void CosSin(float& cosine, float& sine) const {
        if (Rotation != turnAngle_) {
            turnAngle_ = Rotation;
            SinCos(Rotation, turnSin_, turnCos_);
        }
        cosine = turnCos_;
        sine = turnSin_;
    }

    Vector2 Pos;
    float Rotation = 0.0f;
    bool IsRelative = false;

private:
    mutable float turnAngle_ = 0.0f;
    mutable float turnCos_ = 1.0f;
    mutable float turnSin_ = 0.0f;
};
