#pragma once

#include "core/Behavior.h"

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

    EdToggleBhv* objectList_ = nullptr;
    EdToggleBhv* prefabList_ = nullptr;
    EdToggleBhv* autoCreateList_ = nullptr;
    EdToggleBhv* edit_ = nullptr;
    EdToggleBhv* history_ = nullptr;
    EdToggleBhv* pause_ = nullptr;
    EdToggleBhv* physics_ = nullptr;
    bool applied_ = false;
    bool onPurpose_ = false; // the pause on now was made with the Pause key
};
