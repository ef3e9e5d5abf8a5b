#pragma once

#include <functional>
#include <string>

#include "core/Behavior.h"
#include "core/Color.h"
#include "editor/IEdUiElement.h"

// One row of a list: a label on a background that lights up when highlighted or selected; left and
// right clicks go to two handlers. Pieces: "Background" (sprite, tint) and "Text".
class EdListItemBhv : public Behavior, public IEdUiElement {
public:
    static constexpr const char* ClassName = "EdListItemBhv";
    static constexpr Color HighlightTint{51, 71, 140, 255};

    EdListItemBhv();

    // Remembers the background tint as the normal look.
    void Start() override;
    void SetBounds(float x, float y, float width, float height) override;
    // Only with the pointer inside: left press calls ClickHandler, right press SecondaryClickHandler.
    void HandleInput() override;

    // Lays the pieces out again in the last rectangle (after Label or a flag changed).
    void Refresh() { SetBounds(Bounds.x, Bounds.y, Bounds.width, Bounds.height); }

    std::string Label;
    float Margin = 5.0f;
    bool IsHighlighted = false;
    bool IsSelected = false;
    std::function<void()> ClickHandler;
    std::function<void()> SecondaryClickHandler;

private:
    Color normalTint_ = Color::White();
    std::string shown_; // Label plus the selection mark; kept to reuse its storage
};
