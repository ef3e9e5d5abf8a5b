#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/Behavior.h"
#include "core/Color.h"
#include "editor/IEdUiElement.h"

// A one-line text field: click to edit, type, move the caret, copy and paste, nudge numbers with
// Up and Down; Enter or Tab (or a click elsewhere) commits the text to ChangeHandler, Esc stops
// without committing. Pieces: "Box" (sprite, tint) and "Text".
class EdFieldBhv : public Behavior, public IEdUiElement {
public:
    static constexpr const char* ClassName = "EdFieldBhv";
    static constexpr Color EditingTint{215, 223, 255, 255};

    EdFieldBhv();

    // Remembers the box tint as the idle look.
    void Start() override;
    void SetBounds(float x, float y, float width, float height) override;
    void HandleInput() override;

    // Lays the pieces out again in the last rectangle (after the text or a state changed).
    void Refresh() { SetBounds(Bounds.x, Bounds.y, Bounds.width, Bounds.height); }

    // Replaces the text; the caret is clamped at the next layout.
    void SetText(std::string_view text) {
        if (Text != text) {
            Text.assign(text);
        }
    }
    // Starts editing with the caret at the end (what a click inside does).
    void BeginEditing();

    // The text Up (+1) or Down (-1) makes of text, with the step times 10 under Shift or else 0.1
    // under Ctrl: an integer text stays an integer (a step below 1 does nothing), a decimal text
    // becomes the double sum printed with 17 significant digits. Nothing for other texts.
    static std::optional<std::string> Nudge(std::string_view text, double step);

    std::string Text;
    int Caret = 0;
    bool IsEditing = false;
    bool IsEditable = true;
    bool IsNudging = false; // set while ChangeHandler runs for an Up or Down nudge
    std::function<void(const std::string& text)> ChangeHandler;

private:
    void Commit();
    void EditKeys();

    Color boxTint_ = Color::White();
    std::string shown_; // Text with the caret mark; kept to reuse its storage
};
