#pragma once

#include <functional>

#include "core/Behavior.h"
#include "core/Handle.h"

// A mouse button in screen space: its rectangle is its sprite's frame. Pressed inside and
// released inside calls the click handler. Greying out only changes the look: a greyed button
// still clicks and holds.
class UiButtonBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiButtonBhv";

    UiButtonBhv();

    // Finds the child "Text", if any.
    void Start() override;
    // "LeftMouse" just pressed inside arms the button; released inside while armed clicks; up
    // always disarms. Held follows the armed state.
    void HandleInput() override;
    // The text's alpha: 51 greyed out, 255 otherwise.
    void Update() override;

    void SetClickHandler(std::function<void()> handler) { clickHandler_ = std::move(handler); }
    bool IsHeld() const { return held_; }

    bool IsGrayedOut = false;

    static constexpr unsigned char GrayedAlpha = 51;

private:
    std::function<void()> clickHandler_;
    Handle<GameObject> text_; // looked for again when the editor removed or rebuilt it
    bool hasText_ = false;
    bool pressed_ = false;
    bool held_ = false;
};
