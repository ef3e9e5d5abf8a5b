#include "ui/menus/UiLoadSaveMenuBhv.h"

#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "saves/SavedGames.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/TextMenuBhv.h"
#include "ui/menus/UiMenuRootBhv.h"

UiLoadSaveMenuBhv::UiLoadSaveMenuBhv() : SaveSlot(saveGame), LoadSlot(loadGame) {
    RegisterProperty("IsSaveMenu", &IsSaveMenu);
}

void UiLoadSaveMenuBhv::Start() {
    if (!Owner) {
        return;
    }
    SwitchOff(*Owner);
    menu_ = Owner->GetComponentOfType<TextMenuBhv>();
    if (menu_) {
        menu_->SetItemChosenHandler([this](int index) { ItemChosen(index); });
    }
}

void UiLoadSaveMenuBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input || !input->IsActionPressed(Action::MenuCancel)) {
        return;
    }
    if (menu_) {
        menu_->ResetSelection();
    }
    if (Owner) {
        SwitchOff(*Owner);
    }
    if (UiMenuRootBhv* root = WellKnown<UiMenuRootBhv>::Get()) {
        root->openMainMenu();
    }
}

std::string UiLoadSaveMenuBhv::SlotName(int index) {
    return "SavedGame" + std::to_string(index + 1);
}

void UiLoadSaveMenuBhv::ItemChosen(int index) {
    const std::string slot = SlotName(index);
    const auto& action = IsSaveMenu ? SaveSlot : LoadSlot;
    if (action) {
        action(slot);
    }
    Leave();
}

void UiLoadSaveMenuBhv::Leave() {
    if (menu_) {
        menu_->ResetSelection();
    }
    if (Owner) {
        SwitchOff(*Owner);
    }
    if (UiMenuRootBhv* root = WellKnown<UiMenuRootBhv>::Get(); root && root->MenuBackground()) {
        SwitchOff(*root->MenuBackground());
    }
    ResumeGame();
}
