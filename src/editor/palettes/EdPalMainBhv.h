#pragma once

#include "core/Behavior.h"
#include "core/Handle.h"

class EdToggleBhv;

// The main palette: toggles that show and hide the four other palettes, pause the game and show
// the physics overlay. "Pause" flips the pause toggle.
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
};
