#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/Behavior.h"
#include "core/Handle.h"

class TextMenuBhv;

// The load menu, or with "IsSaveMenu" the save menu: line i stands for slot "SavedGame" + (i + 1),
// so the menu offers as many slots as its prefab has lines, except that with "HasAutosaveLine" the
// last line stands for the autosave. Choosing one loads or saves it and closes the menus;
// "MenuCancel" goes back to the main menu. Each time it opens, every line shows its slot (money,
// depth and time, or empty). Needs a TextMenuBhv on the same object.
class UiLoadSaveMenuBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiLoadSaveMenuBhv";

    UiLoadSaveMenuBhv();

    // Switches its object off and takes the item-chosen handler of its text menu.
    void Start() override;
    void HandleInput() override;
    // The first update after opening writes each line's slot text.
    void Update() override;

    void ItemChosen(int index);
    // "SavedGame1" for line 0; the autosave's name for its line.
    std::string SlotName(int index) const;

    bool IsSaveMenu = false;
    bool HasAutosaveLine = false;
    // Set by the main menu's Quit: a slot chosen and saved ends the game; "MenuCancel" clears it.
    bool QuitAfterSaving = false;
    // What a chosen line does with its slot: the saved-games functions unless replaced.
    std::function<void(const std::string&)> SaveSlot;
    std::function<void(const std::string&)> LoadSlot;
    // The text of slot k's line (1-based): the saved-games slot line unless replaced.
    std::function<std::string(int)> SlotLine;
    // The text of the autosave's line: the saved-games autosave line unless replaced.
    std::function<std::string()> AutosaveLine;

private:
    bool IsAutosaveLine(int index) const;
    void Leave();
    void ShowSlotLines();

    bool linesShown_ = false;
    std::vector<float> fontSizes_; // each line's own font size

    Handle<TextMenuBhv> menu_; // a component the editor may remove
};
