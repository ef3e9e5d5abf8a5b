#pragma once

#include "core/Behavior.h"
#include "core/Handle.h"

class TextMenuBhv;

// The store's front page, a text menu of three lines: buy, sell, loadout. "MenuCancel" leaves the
// store and the game goes on.
class UiSupplyMainMenuBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiSupplyMainMenuBhv";

    // Switches the menu off until a station opens it and takes the line choices of its text menu.
    void Start() override;
    void HandleInput() override;

    // Line 0 opens the buy menu, 1 the sell menu, 2 the loadout menu; others do nothing.
    void OnItemChosen(int index);

private:
    Handle<TextMenuBhv> textMenu_; // a component the editor may remove
};
