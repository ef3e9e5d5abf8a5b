#pragma once

#include "core/Behavior.h"
#include "core/Vector2.h"

// A modal panel centred on the screen above the palettes, with an "Overlay" child covering the
// whole screen behind it. Starts hidden; its owner shows and hides it.
class EdDialogBhv : public Behavior {
public:
    static constexpr const char* ClassName = "EdDialogBhv";
    static constexpr float PlacementHeight = 300.0f; // the height the centring assumes

    EdDialogBhv();

    // Centres, lays out, moves every sprite to "Editor2" and every text to "EditorText2", hides.
    void Start() override;
    // Lays the rows out again, so text typed or relabelled this frame falls into place.
    void Update() override;

    void Layout();
    // Switches the dialog object's three flags on or off.
    void Show(bool shown);

    float Width = 220.0f;
    Vector2 TopLeft;
};
