#include "ui/store/UiSupplyMainMenuBhv.h"

#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/TextMenuBhv.h"
#include "ui/menus/UiMenuRootBhv.h"

void UiSupplyMainMenuBhv::Start() {
    if (!Owner) {
        return;
    }
    textMenu_ = ClaimTextMenu(*Owner, [this](int index) { OnItemChosen(index); });
}

void UiSupplyMainMenuBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input || !Owner || !input->IsActionPressed(Action::MenuCancel)) {
        return;
    }
    if (textMenu_) {
        textMenu_->ResetSelection();
    }
    Owner->SetPassesEnabled(false);
    if (UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get()) {
        if (GameObject* background = menus->MenuBackground()) {
            background->SetPassesEnabled(false);
        }
    }
    ResumeGame();
}

void UiSupplyMainMenuBhv::OnItemChosen(int index) {
    UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get();
    if (index < 0 || index > 2 || !Owner || !menus) {
        return;
    }
    Owner->SetPassesEnabled(false);
    if (textMenu_) {
        textMenu_->ResetSelection();
    }
    switch (index) {
    case 0:
        menus->openSupplyBuyMenu();
        break;
    case 1:
        menus->openSupplySellMenu();
        break;
    default:
        menus->openSupplyLoadoutMenu();
        break;
    }
}
