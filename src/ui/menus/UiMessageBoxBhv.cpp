#include "ui/menus/UiMessageBoxBhv.h"

#include "components/TextComponent.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "prefabs/PrefabManager.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/UiMenuRootBhv.h"

void UiMessageBoxBhv::Start() {
    StartCoroutine<&UiMessageBoxBhv::PauseStep>();
}

CoCommand UiMessageBoxBhv::PauseStep(int step) {
    if (step == 0) {
        return CoWaitFrames(2);
    }
    PauseGame();
    return CoEnd();
}

void UiMessageBoxBhv::HandleInput() {
    const InputManager* input = Service<InputManager>::TryGet();
    if (!input || !Owner || !armed_ ||
        !(input->IsActionPressed(Action::MenuConfirm) || input->IsActionPressed(Action::MenuCancel))) {
        return;
    }
    StopCoroutine<&UiMessageBoxBhv::PauseStep>();
    SwitchOff(*Owner);
    const UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get();
    if (!menus || !menus->IsMenuOpen()) {
        ResumeGame();
    }
    Owner->DestroyLater();
}

bool UiMessageBoxBhv::IsShowing() const {
    return Owner && Owner->InputEnabled && !Owner->PendingDestroy;
}

void UiMessageBoxBhv::SetText(const std::string& text) {
    const GameObject* line = FindChild("UiText");
    if (TextComponent* component = line ? line->Text() : nullptr) {
        component->Text = text;
    }
}

GameObject* showMessageBox(const std::string& text) {
    UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get();
    const PrefabManager* prefabs = Service<PrefabManager>::TryGet();
    if (!menus || !menus->Owner || !prefabs || !prefabs->Contains(UiMessageBoxBhv::Prefab)) {
        return nullptr;
    }
    auto* box = new GameObject(UiMessageBoxBhv::Prefab);
    menus->Owner->AppendChild(box);
    if (auto* bhv = box->GetComponentOfType<UiMessageBoxBhv>()) {
        bhv->SetText(text);
    }
    return box;
}
