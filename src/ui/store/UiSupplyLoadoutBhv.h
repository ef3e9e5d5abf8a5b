#pragma once

#include "core/Behavior.h"
#include "core/Handle.h"

class HudInventoryBhv;
class ItemComponent;

// The store's loadout menu: while it is open the game (and with it the HUD) is paused, and this
// menu drives the HUD by hand in loadout mode. The player drags weapons from the cargo list onto
// the quick-slot frames with the mouse, or, with keys or the pad, chooses a weapon with "MoveUp" /
// "MoveDown" (a gold rim marks its row), a slot with "MoveLeft" / "MoveRight" (or the quick-slot
// keys: the selected slot's frame is bright) and puts it there with "MenuConfirm". "MenuCancel" goes
// back to the station's front page, as from Buy and Sell.
class UiSupplyLoadoutBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiSupplyLoadoutBhv";

    // Switches its object off: the menu root switches it on.
    void Start() override;
    // Puts the HUD in loadout mode and runs its input pass, then the keys: choose, put, leave.
    void HandleInput() override;
    // Runs the HUD's update pass and sets the rim around the chosen weapon's row.
    void Update() override;

    // The weapon the keys would put into the selected slot; null when no weapon is held.
    ItemComponent* ChosenWeapon() const { return chosen_.Get(); }

private:
    void Leave();
    void PlaceRim();
    HudInventoryBhv* CargoList() const;

    Handle<ItemComponent> chosen_;
    Handle<GameObject> rim_;
};
