#pragma once

#include "core/Behavior.h"

// The store's loadout menu: while it is open the game (and with it the HUD) is paused, and this
// menu drives the HUD by hand in loadout mode, so the player drags weapons from the cargo list onto
// the quick-slot frames. "MenuCancel" closes it and the game goes on.
class UiSupplyLoadoutBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiSupplyLoadoutBhv";

    // Switches its object off: the menu root switches it on.
    void Start() override;
    // Puts the HUD in loadout mode and runs its input pass; "MenuCancel" leaves.
    void HandleInput() override;
    // Runs the HUD's update pass.
    void Update() override;
};
