#pragma once

#include "core/Behavior.h"
#include "core/Handle.h"

class TextMenuBhv;

// The main menu: line 0 goes back to the game (the line selected as it opens), line 1 starts a new
// game, line 2 opens the load menu, line 3 the save menu, line 4 the options, line 5 quits (asking
// "Save first?" when the game holds unsaved progress); "MenuCancel" closes it and the game runs on.
// Needs a TextMenuBhv on the same object.
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
    // Ends the game, first offering a slot when there is progress no slot holds.
    void Quit();
    static void ExitGame();
    // Back to the first line and off; with closeAll the background goes too and the game resumes.
    void Leave(bool closeAll);

    Handle<TextMenuBhv> menu_; // a component the editor may remove
};
