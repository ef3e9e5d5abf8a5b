#pragma once

#include "core/Behavior.h"
#include "core/Vector2.h"

// A movable panel: its child widgets stacked from "TopLeft", "Width" wide, hidden rows taking no
// room. Dragging the "TitleBar" child moves it, always keeping a 10-pixel strip on screen.
class EdPaletteBhv : public Behavior {
public:
    static constexpr const char* ClassName = "EdPaletteBhv";
    static constexpr float KeepOnScreen = 10.0f;

    EdPaletteBhv();

    // Connects the title bar's drag to Move and lays the rows out.
    void Start() override;
    // Lays the rows out again, so rows shown, hidden or relabelled this frame fall into place.
    void Update() override;

    // Adds the movement to TopLeft, clamps it and lays the rows out.
    void Move(Vector2 movement);
    // Stacks the visible rows from TopLeft.
    void Layout();

    float Width = 0.0f;
    Vector2 TopLeft;
};
