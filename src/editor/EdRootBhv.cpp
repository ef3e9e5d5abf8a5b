#include "editor/EdRootBhv.h"

#include <cmath>

#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "editor/EditorState.h"
#include "editor/palettes/EdPalMainBhv.h"
#include "editor/tools/EdSpritePickerBhv.h"
#include "editor/widgets/EdFieldBhv.h"
#include "input/InputManager.h"

namespace {

void SetFlags(GameObject* object, bool input, bool update, bool draw) {
    if (object) {
        object->InputEnabled = input;
        object->UpdateEnabled = update;
        object->DrawEnabled = draw;
    }
}

} // namespace

void EdRootBhv::Start() {
    palettesRoot_ = FindChild("EdPalettesRoot");
    dialogsRoot_ = FindChild("EdDialogsRoot");
    pausedBanner_ = FindChild("EdPausedBanner");
    if (const TintComponent* tint = palettesRoot_ ? palettesRoot_->Tint() : nullptr) {
        paletteAlpha_ = static_cast<float>(tint->Tint.a) / 255.0f;
    }
}

void EdRootBhv::HandleInput() {
    EditorState& editor = Service<EditorState>::Get();
    const InputManager& input = Service<InputManager>::Get();
    if (input.IsKeyPressed(Key::F11)) {
        editor.Active = !editor.Active;
        EdPalMainBhv* main = MainPalette();
        if (!editor.Active && main) {
            main->EditorClosed();
        }
    } else if (!editor.Active && input.IsKeyPressed(Key::Pause)) {
        // The palettes take no input while closed: the player's pause is answered here.
        if (EdPalMainBhv* main = MainPalette()) {
            main->SetPause(!main->IsPaused(), true);
        }
    }
    if (editor.Active && !editor.ModalOpen && input.IsKeyDown(Key::Ctrl) && input.IsKeyPressed(Key::G) &&
        WellKnown<EdSpritePickerBhv>::Get()) {
        WellKnown<EdSpritePickerBhv>::Get()->Open();
    }
    HistoryKeys();
}

void EdRootBhv::HistoryKeys() {
    EditorState& editor = Service<EditorState>::Get();
    const InputManager& input = Service<InputManager>::Get();
    if (!editor.Active || editor.ModalOpen || !input.IsKeyDown(Key::Ctrl)) {
        return;
    }
    const bool z = input.IsKeyPressed(Key::Z);
    const bool y = input.IsKeyPressed(Key::Y);
    // Inside a text field the keys are the field's.
    if ((!z && !y) || FieldBeingEdited(palettesRoot_.Get())) {
        return;
    }
    if (y || input.IsKeyDown(Key::Shift)) {
        editor.History.Redo();
    } else {
        editor.History.Undo();
    }
}

bool EdRootBhv::FieldBeingEdited(const GameObject* object) {
    if (!object || !object->InputEnabled) {
        return false;
    }
    for (const Behavior* behavior : object->Behaviors) {
        if (const auto* field = dynamic_cast<const EdFieldBhv*>(behavior); field && field->IsEditing) {
            return true;
        }
    }
    for (const GameObject* child : object->Children) {
        if (FieldBeingEdited(child)) {
            return true;
        }
    }
    return false;
}

EdPalMainBhv* EdRootBhv::MainPalette() const {
    const GameObject* palette = palettesRoot_ ? palettesRoot_->FindChild("PalMain") : nullptr;
    return palette ? palette->GetComponentOfType<EdPalMainBhv>() : nullptr;
}

void EdRootBhv::Update() {
    const EditorState& editor = Service<EditorState>::Get();
    if (pausedBanner_) {
        const EdPalMainBhv* main = MainPalette();
        pausedBanner_->DrawEnabled = !editor.Active && main && main->IsPaused();
    }
    if (!editor.Active) {
        SetFlags(palettesRoot_.Get(), false, false, false);
        SetFlags(dialogsRoot_.Get(), false, false, false);
        return;
    }
    SetFlags(dialogsRoot_.Get(), true, true, true);
    const bool live = !editor.ModalOpen;
    SetFlags(palettesRoot_.Get(), live, live, true);
    if (TintComponent* tint = palettesRoot_ ? palettesRoot_->Tint() : nullptr) {
        tint->Tint.a = live ? static_cast<unsigned char>(std::lround(paletteAlpha_ * 255.0f)) : DimmedAlpha;
    }
}
