#pragma once

#include "core/GameObject.h"

// The two ways the HUD hides things: hiding only stops drawing; SetPassesEnabled also stops the
// object's input and update passes. Both skip a missing object.
inline void SetShown(GameObject* object, bool shown) {
    if (object) {
        object->DrawEnabled = shown;
    }
}

inline void SetPassesEnabled(GameObject* object, bool on) {
    if (object) {
        object->SetPassesEnabled(on);
    }
}

// 255 × fraction, truncated, for an alpha channel; out-of-range fractions are held to 0..255.
inline unsigned char AlphaOf(float fraction) {
    const float value = fraction * 255.0f;
    if (!(value > 0.0f)) {
        return 0;
    }
    return value >= 255.0f ? 255 : static_cast<unsigned char>(value);
}
