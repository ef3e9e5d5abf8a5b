#pragma once

#include "core/Rect.h"
#include "core/Vector2.h"

class GameObject;

// The layout side of every editor widget: a row height and the rectangle it was last given, in
// screen pixels of the editor layers (y down). Containers stack widgets by their Height.
class IEdUiElement {
public:
    virtual ~IEdUiElement() = default;

    // Stores the rectangle and lays out the widget's own pieces there.
    virtual void SetBounds(float x, float y, float width, float height) { Bounds = {x, y, width, height}; }

    // Left and top edges inside, right and bottom edges outside.
    bool Contains(Vector2 p) const {
        return p.x >= Bounds.x && p.x < Bounds.x + Bounds.width && p.y >= Bounds.y &&
               p.y < Bounds.y + Bounds.height;
    }

    float Height = 0.0f;
    Rect Bounds;
};

// The object's first component that is an IEdUiElement, or null.
IEdUiElement* FindUiElement(const GameObject& object);

// Stacks the children of container top-down from (left, top), each as wide as width and as high as
// its Height; children without an element take no room, and with skipHidden neither do those whose
// DrawEnabled is clear. Returns the y below the last child.
float StackChildren(const GameObject& container, float left, float top, float width, bool skipHidden);
