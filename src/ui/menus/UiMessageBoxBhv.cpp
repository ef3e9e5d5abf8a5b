#include "ui/menus/UiMessageBoxBhv.h"

#include "components/TextComponent.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "prefabs/PrefabManager.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/UiMenuRootBhv.h"
#include "ui/widgets/KeyLabel.h"
#include "ui/widgets/UiKeyHintBhv.h"

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
    const bool yes = input->IsActionPressed(Action::MenuConfirm);
    StopCoroutine<&UiMessageBoxBhv::PauseStep>();
    Owner->SetPassesEnabled(false);
    Owner->DestroyLater();
    // Copies: a handler may end this box's game.
    const std::function<void()> answer = yes ? onYes_ : onNo_;
    if (answer) {
        answer();
    }
    const UiMenuRootBhv* menus = WellKnown<UiMenuRootBhv>::Get();
    if (!menus || !menus->IsMenuOpen()) {
        ResumeGame();
    }
}

void UiMessageBoxBhv::SetAnswerHandlers(std::function<void()> onYes, std::function<void()> onNo) {
    onYes_ = std::move(onYes);
    onNo_ = std::move(onNo);
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

GameObject* askQuestion(const std::string& text, std::function<void()> onYes, std::function<void()> onNo) {
    GameObject* box = showMessageBox(text);
    if (!box) {
        return nullptr;
    }
    if (auto* bhv = box->GetComponentOfType<UiMessageBoxBhv>()) {
        bhv->SetAnswerHandlers(std::move(onYes), std::move(onNo));
    }
    setQuestionHint(*box, "{MenuConfirm}: yes     {MenuCancel}: no");
    return box;
}

void setQuestionHint(GameObject& box, const std::string& hint) {
    GameObject* line = box.FindChild("Hint");
    if (!line) {
        return;
    }
    // A line kept true to the bindings is rewritten every frame from its template.
    if (auto* keys = line->GetComponentOfType<UiKeyHintBhv>()) {
        keys->Template = hint;
        keys->Refresh();
    } else if (TextComponent* component = line->Text(); component && Service<InputManager>::TryGet()) {
        component->Text = FillKeyHints(hint, Service<InputManager>::Get());
    }
}
