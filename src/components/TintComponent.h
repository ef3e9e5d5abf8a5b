#pragma once

#include "core/Color.h"
#include "core/Component.h"
#include "reflection/IEditable.h"

// Multiplies the tint of its object and the whole subtree below it.
class TintComponent : public Component, public IEditable {
public:
    static constexpr const char* ClassName = "TintComponent";

    TintComponent();
    ShortcutSlot Slot() const override { return ShortcutSlot::Tint; }

    Color Tint = Color::White();
};
