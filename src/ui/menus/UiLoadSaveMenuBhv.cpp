#include "ui/menus/UiLoadSaveMenuBhv.h"

#include "components/TextComponent.h"
#include "components/TextLine.h"
#include "core/GameExit.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "saves/SavedGames.h"
#include "saves/SlotFiles.h"
#include "ui/autosave/AutosaveBhv.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/TextMenuBhv.h"
#include "ui/menus/UiMenuRootBhv.h"

UiLoadSaveMenuBhv::UiLoadSaveMenuBhv()
    : SaveSlot(saveGame), LoadSlot(loadGame), SlotLine(slotLineText), AutosaveLine(autosaveLineText) {
    RegisterProperty("IsSaveMenu", &IsSaveMenu);
    RegisterProperty("HasAutosaveLine", &HasAutosaveLine);
}

void UiLoadSaveMenuBhv::Start() {
    if (!Owner) {
        return;
    }
    menu_ = ClaimTextMenu(*Owner, [this](int index) { ItemChosen(index); });
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
        Owner->SetPassesEnabled(false);
    }
    linesShown_ = false;
    QuitAfterSaving = false;
    if (UiMenuRootBhv* root = WellKnown<UiMenuRootBhv>::Get()) {
        root->openMainMenu();
    }
}

void UiLoadSaveMenuBhv::Update() {
    if (!linesShown_) {
        ShowSlotLines();
        linesShown_ = true;
    }
}

void UiLoadSaveMenuBhv::ShowSlotLines() {
    if (!menu_ || !SlotLine) {
        return;
    }
    std::vector<TextLine> lines;
    const std::vector<GameObject*> items = menu_->Items();
    fontSizes_.resize(items.size(), 0.0f);
    for (size_t i = 0; i < items.size(); ++i) {
        TextComponent* text = items[i]->GetComponentOfType<TextComponent>();
        if (!text) {
            continue;
        }
        float& fontSize = fontSizes_[i];
        if (fontSize == 0.0f) {
            fontSize = text->FontSize; // the prefab's size, before any line was fitted
        }
        text->FontSize = fontSize;
        if (IsAutosaveLine(static_cast<int>(i))) {
            text->Text = AutosaveLine ? AutosaveLine() : std::string(AutosaveSlot);
        } else {
            text->Text = SlotLine(static_cast<int>(i) + 1);
        }
        // A line keeps to one row of its box: a long one is set smaller rather than wrapped.
        const float boxWidth = text->BoxSize.x;
        if (!text->Font || !(boxWidth > 0.0f)) {
            continue;
        }
        text->BoxSize.x = 0.0f;
        text->BreakLines(lines);
        text->BoxSize.x = boxWidth;
        const float width = lines.empty() ? 0.0f : lines[0].Width;
        if (width > boxWidth) {
            text->FontSize *= boxWidth / width * 0.99f;
        }
    }
}

bool UiLoadSaveMenuBhv::IsAutosaveLine(int index) const {
    return HasAutosaveLine && menu_ && index == menu_->ItemCount() - 1;
}

std::string UiLoadSaveMenuBhv::SlotName(int index) const {
    return IsAutosaveLine(index) ? AutosaveSlot : "SavedGame" + std::to_string(index + 1);
}

void UiLoadSaveMenuBhv::ItemChosen(int index) {
    const std::string slot = SlotName(index);
    const auto& action = IsSaveMenu ? SaveSlot : LoadSlot;
    if (action) {
        action(slot);
    }
    const bool quit = QuitAfterSaving && IsSaveMenu;
    Leave();
    // A save that failed leaves progress unsaved: the game goes on, saying so.
    const AutosaveBhv* autosave = WellKnown<AutosaveBhv>::Get();
    if (quit && (!autosave || !autosave->HasUnsavedProgress())) {
        if (GameExit* exit = Service<GameExit>::TryGet()) {
            exit->RequestExit();
        }
    }
}

void UiLoadSaveMenuBhv::Leave() {
    linesShown_ = false;
    QuitAfterSaving = false;
    if (menu_) {
        menu_->ResetSelection();
    }
    if (Owner) {
        Owner->SetPassesEnabled(false);
    }
    if (UiMenuRootBhv* root = WellKnown<UiMenuRootBhv>::Get(); root && root->MenuBackground()) {
        root->MenuBackground()->SetPassesEnabled(false);
    }
    ResumeGame();
}
