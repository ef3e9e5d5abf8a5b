#pragma once

#include "core/Behavior.h"
#include "editor/IEdUiElement.h"

// A row of widgets side by side: n children share the width in equal whole-pixel columns.
class EdRowMultiContainerBhv : public Behavior, public IEdUiElement {
public:
    static constexpr const char* ClassName = "EdRowMultiContainerBhv";

    EdRowMultiContainerBhv();

    // Child i gets (x + i * c, y, c, height) with c the truncated width divided by n.
    void SetBounds(float x, float y, float width, float height) override;
};
