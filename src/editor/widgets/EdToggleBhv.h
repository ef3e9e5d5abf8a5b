#pragma once

#include <functional>
#include <string>

#include "core/Behavior.h"
#include "core/Color.h"
#include "editor/IEdUiElement.h"

// A button that stays in: pressing it flips "Value" and reports the new value. Pieces: "Background"
// (sprite, tint) and "Text".
class EdToggleBhv : public Behavior, public IEdUiElement {
public:
    static constexpr const char* ClassName = "EdToggleBhv";

    EdToggleBhv();

    // Remembers the background tint as the released look.
    void Start() override;
    void SetBounds(float x, float y, float width, float height) override;
    // Left button pressed inside flips Value at once and calls ChangeHandler.
    void HandleInput() override;
    // On: background darkened and mirrored, white text; off: as remembered, black text.
    void Update() override;

    std::string Title;
    bool Value = false;
    std::function<void(bool value)> ChangeHandler;

private:
    void ApplyLook();

    Color normalTint_ = Color::White();
};
