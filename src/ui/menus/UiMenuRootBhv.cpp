#include "ui/menus/UiMenuRootBhv.h"

#include "core/ContentError.h"
#include "core/GameObject.h"
#include "core/ObjectPasses.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "prefabs/PrefabManager.h"
#include "ui/hud/HudRootBhv.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/UiMessageBoxBhv.h"

UiMenuRootBhv::~UiMenuRootBhv() {
    WellKnown<UiMenuRootBhv>::ClearIf(this);
    WellKnown<SupplyStoreOpener>::ClearIf(this);
}

void UiMenuRootBhv::Start() {
    for (size_t i = 0; i < ChildNames.size(); ++i) {
        children_[i] = FindChild(ChildNames[i]);
        if (!children_[i]) {
            const std::string prefab = Owner ? Owner->PrefabName : std::string("menu root");
            const PrefabManager* prefabs = Service<PrefabManager>::TryGet();
            const std::string file = prefabs ? prefabs->FileOf(prefab).string() : prefab + ".json";
            throw ContentError(file,
                               std::string("the menu root has no child named \"") + ChildNames[i] + "\"");
        }
    }
    WellKnown<UiMenuRootBhv>::Register(this);
    WellKnown<SupplyStoreOpener>::Register(this);
    // The menus switch themselves off as they start; this covers any that do not.
    for (const Handle<GameObject>& child : children_) {
        child.Get()->SetPassesEnabled(false);
    }
    options_ = FindChild("UiOptionsMenu");
    controls_ = FindChild("UiControlsMenu");
    for (GameObject* optional : {options_.Get(), controls_.Get()}) {
        if (optional) {
            optional->SetPassesEnabled(false);
        }
    }
}

GameObject* UiMenuRootBhv::Child(size_t i) const {
    if (!children_[i] && Owner) {
        children_[i] = Owner->FindChild(ChildNames[i]);
    }
    return children_[i].Get();
}

GameObject* UiMenuRootBhv::ControlsMenu() const {
    if (!controls_ && Owner) {
        controls_ = Owner->FindChild("UiControlsMenu");
    }
    return controls_.Get();
}

GameObject* UiMenuRootBhv::OptionsMenu() const {
    if (!options_ && Owner) {
        options_ = Owner->FindChild("UiOptionsMenu");
    }
    return options_.Get();
}

void UiMenuRootBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input || IsMenuOpen() || IsSwitching() || IsMessageBoxShowing()) {
        return;
    }
    if (input->IsActionPressed(Action::MenuCancel)) {
        openMainMenu();
    }
}

void UiMenuRootBhv::Update() {
    // The game is held, but the HUD beside a menu must show what the menu changes (a sale's money
    // and cargo) at once. The loadout menu runs the HUD itself.
    const GameObject* loadout = SupplyLoadoutMenu();
    if ((loadout && loadout->UpdateEnabled) || !(IsMenuOpen() || IsMessageBoxShowing())) {
        return;
    }
    if (const HudRootBhv* hud = WellKnown<HudRootBhv>::Get(); hud && hud->Owner) {
        UpdatePass(*hud->Owner);
    }
}

void UiMenuRootBhv::openMenu(GameObject* menu) {
    pending_ = menu;
    StartCoroutine<&UiMenuRootBhv::SwitchStep>();
}

bool UiMenuRootBhv::IsMenuOpen() const {
    const GameObject* background = MenuBackground();
    const GameObject* loadout = SupplyLoadoutMenu();
    return (background && background->UpdateEnabled) || (loadout && loadout->UpdateEnabled);
}

bool UiMenuRootBhv::IsMessageBoxShowing() const {
    if (!Owner) {
        return false;
    }
    for (const GameObject* child : Owner->Children) {
        const auto* box = child->GetComponentOfType<UiMessageBoxBhv>();
        if (box && box->IsShowing()) {
            return true;
        }
    }
    return false;
}

CoCommand UiMenuRootBhv::SwitchStep(int step) {
    if (step == 0) {
        return CoWaitFrames(1);
    }
    GameObject* background = MenuBackground();
    GameObject* pending = pending_.Get(); // null as well when the editor removed it meanwhile
    pending_ = nullptr;                   // the switch happens now: none is coming after it
    if (!pending) {
        if (background) {
            background->SetPassesEnabled(false);
        }
        ResumeGame();
        return CoEnd();
    }
    if (background) {
        // The loadout menu works on the HUD, which must stay in view.
        if (pending == SupplyLoadoutMenu()) {
            background->SetPassesEnabled(false);
        } else {
            background->SetPassesEnabled(true);
        }
    }
    // A key still held from play (steering into a station) must not move the new menu.
    if (InputManager* input = Service<InputManager>::TryGet()) {
        input->IgnoreHeldKeys();
    }
    PauseGame();
    pending->SetPassesEnabled(true);
    return CoEnd();
}
