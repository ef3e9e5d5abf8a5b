#pragma once

#include "core/Behavior.h"
#include "editor/IEdUiElement.h"

// An empty row; its own sprite (if any) fills it.
class EdSpacerBhv : public Behavior, public IEdUiElement {
public:
    static constexpr const char* ClassName = "EdSpacerBhv";

    EdSpacerBhv();

    void SetBounds(float x, float y, float width, float height) override;
};
