#pragma once

#include "core/Behavior.h"
#include "core/Handle.h"

// On the editor's root object: F11 shows and hides the editor, Ctrl+G opens the object picker,
// Ctrl+Z undoes and Ctrl+Y or Ctrl+Shift+Z redo (not while a text field is being edited), and
// while a dialog or tool is open the palettes are dimmed and take no input. Closing the editor lets
// the game run again unless the player paused it on purpose (the Pause key, which also works with
// the editor closed); while such a pause lasts with the editor closed, the child "EdPausedBanner"
// shows.
class EdPalMainBhv;

class EdRootBhv : public Behavior {
public:
    static constexpr const char* ClassName = "EdRootBhv";
    static constexpr unsigned char DimmedAlpha = 76;

    // Finds "EdPalettesRoot" and "EdDialogsRoot" and remembers the palettes' tint alpha.
    void Start() override;
    void HandleInput() override;
    // Switches the two roots' flags to match the editor's state.
    void Update() override;

private:
    void HistoryKeys();
    // Whether a shown field under object is being edited; walked only when a history key fires.
    static bool FieldBeingEdited(const GameObject* object);
    // The main palette's behaviour, which holds the pause; null without.
    EdPalMainBhv* MainPalette() const;

    Handle<GameObject> palettesRoot_;
    Handle<GameObject> dialogsRoot_;
    Handle<GameObject> pausedBanner_;
    float paletteAlpha_ = 1.0f; // of the palettes root's tint, as a fraction
};
