#pragma once

#include "core/Behavior.h"
#include "core/Handle.h"

class EdToggleBhv;

// The main palette: toggles that show and hide the four other palettes, pause the game and show
// the physics overlay. "Pause" flips the pause toggle. A pause made with the toggle is for editing
// and ends when the editor closes; one made with the Pause key is the player's own and outlasts it.
class EdPalMainBhv : public Behavior {
public:
    static constexpr const char* ClassName = "EdPalMainBhv";

    // Finds the toggles and connects them.
    void Start() override;
    void HandleInput() override;
    // Applies the palette toggles once the palette sits among its siblings; follows the physics
    // overlay switch, which the shape editor also changes.
    void Update() override;

    // The game's flags follow the pause toggle.
    void ApplyPause(bool paused);
    // Sets the toggle and the game's flags; onPurpose marks the player's own pause (the Pause key).
    void SetPause(bool paused, bool onPurpose);
    bool IsPaused() const;
    // The editor closed: the game runs again unless the player paused it on purpose.
    void EditorClosed();

private:
    void ShowPalette(const char* name, bool shown);

    Handle<EdToggleBhv> objectList_;
    Handle<EdToggleBhv> prefabList_;
    Handle<EdToggleBhv> autoCreateList_;
    Handle<EdToggleBhv> edit_;
    Handle<EdToggleBhv> history_;
    Handle<EdToggleBhv> pause_;
    Handle<EdToggleBhv> physics_;
    bool applied_ = false;
    bool onPurpose_ = false; // the pause on now was made with the Pause key
};
