#pragma once

#include "core/Behavior.h"
#include "core/Handle.h"

class TextMenuBhv;

// The main menu: line 0 starts a new game, line 1 opens the load menu, line 2 the save menu;
// "MenuCancel" closes it and the game runs on. Needs a TextMenuBhv on the same object.
class UiMainMenuBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiMainMenuBhv";
    static constexpr const char* StartingSub = "Item_Sub_PoBoy";

    // Switches its object off and takes the item-chosen handler of its text menu.
    void Start() override;
    void HandleInput() override;

    void ItemChosen(int index);

private:
    // A fresh world, a fresh inventory with the starting submarine, and the submarine back at its
    // spawn point.
    static void StartNewGame();
    // Back to the first line and off; with closeAll the background goes too and the game resumes.
    void Leave(bool closeAll);

    Handle<TextMenuBhv> menu_; // a component the editor may remove
};
