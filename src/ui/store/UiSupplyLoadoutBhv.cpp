#include "ui/store/UiSupplyLoadoutBhv.h"

#include "core/GameObject.h"
#include "core/ObjectPasses.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "ui/hud/HudRootBhv.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/UiMenuRootBhv.h"

void UiSupplyLoadoutBhv::Start() {
    if (Owner) {
        Owner->SetPassesEnabled(false);
    }
}

void UiSupplyLoadoutBhv::HandleInput() {
    HudRootBhv* hud = WellKnown<HudRootBhv>::Get();
    if (hud && hud->Owner) {
        hud->SetLoadoutMode(true);
        InputPass(*hud->Owner);
    }
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input || !input->IsActionPressed(Action::MenuCancel)) {
        return;
    }
    if (Owner) {
        Owner->SetPassesEnabled(false);
    }
    if (hud) {
        hud->SetLoadoutMode(false);
    }
    if (UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get()) {
        menus->closeMenus();
    }
}

void UiSupplyLoadoutBhv::Update() {
    if (const HudRootBhv* hud = WellKnown<HudRootBhv>::Get(); hud && hud->Owner) {
        UpdatePass(*hud->Owner);
    }
}
