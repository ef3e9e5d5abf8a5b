#pragma once

#include <functional>
#include <string>

#include "core/Behavior.h"

class TextMenuBhv;

// The load menu, or with "IsSaveMenu" the save menu: line i stands for slot "SavedGame" + (i + 1),
// so the menu offers as many slots as its prefab has lines. Choosing one loads or saves it and
// closes the menus; "MenuCancel" goes back to the main menu. Needs a TextMenuBhv on the same object.
class UiLoadSaveMenuBhv : public Behavior {
public:
    static constexpr const char* ClassName = "UiLoadSaveMenuBhv";

    UiLoadSaveMenuBhv();

    // Switches its object off and takes the item-chosen handler of its text menu.
    void Start() override;
    void HandleInput() override;

    void ItemChosen(int index);
    // "SavedGame1" for line 0.
    static std::string SlotName(int index);

    bool IsSaveMenu = false;
    // What a chosen line does with its slot: the saved-games functions unless replaced.
    std::function<void(const std::string&)> SaveSlot;
    std::function<void(const std::string&)> LoadSlot;

private:
    void Leave();

    TextMenuBhv* menu_ = nullptr;
};
