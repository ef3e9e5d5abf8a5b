#pragma once

#include "core/Behavior.h"

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

    EdToggleBhv* objectList_ = nullptr;
    EdToggleBhv* prefabList_ = nullptr;
    EdToggleBhv* autoCreateList_ = nullptr;
    EdToggleBhv* edit_ = nullptr;
    EdToggleBhv* history_ = nullptr;
    EdToggleBhv* pause_ = nullptr;
    EdToggleBhv* physics_ = nullptr;
    bool applied_ = false;
};
