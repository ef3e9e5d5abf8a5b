#pragma once

#include <functional>
#include <string>

#include "core/Behavior.h"
#include "editor/IEdUiElement.h"

// A push button: pressed and released inside calls ClickHandler. Pieces: "Background" (sprite, tint)
// and "Text".
class EdButtonBhv : public Behavior, public IEdUiElement {
public:
    static constexpr const char* ClassName = "EdButtonBhv";

    EdButtonBhv();

    void SetBounds(float x, float y, float width, float height) override;
    // Left button pressed inside arms; released inside while armed clicks (grayed or not: graying
    // is only a look); not held disarms. The pressed look follows at once.
    void HandleInput() override;

    // Armed with the pointer inside: drawn pressed.
    bool IsPressedLook() const;

    std::string Title;
    bool IsGrayedOut = false;
    bool IsArmed = false;
    std::function<void()> ClickHandler;

private:
    void PlacePieces();
};

// Gives the button its click handler; a button the prefab lacks is skipped.
inline void Connect(EdButtonBhv* button, std::function<void()> handler) {
    if (button) {
        button->ClickHandler = std::move(handler);
    }
}
