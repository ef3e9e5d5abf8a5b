#pragma once

#include <functional>
#include <string>

#include "core/Behavior.h"
#include "core/Vector2.h"
#include "editor/IEdUiElement.h"

// The bar at the top of a palette: shows "Title" and reports mouse movement while it is dragged.
// Pieces: "Background" (sprite, tint) and "Text".
class EdTitleBarBhv : public Behavior, public IEdUiElement {
public:
    static constexpr const char* ClassName = "EdTitleBarBhv";

    EdTitleBarBhv();

    void SetBounds(float x, float y, float width, float height) override;
    // Left button pressed inside starts a drag, released anywhere ends it; while dragging, the
    // mouse movement since the last frame goes to DragHandler.
    void HandleInput() override;

    std::string Title;
    std::function<void(Vector2 movement)> DragHandler;
    bool IsDragging = false;
};
