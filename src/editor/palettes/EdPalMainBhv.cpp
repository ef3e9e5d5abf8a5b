#include "editor/palettes/EdPalMainBhv.h"

#include <utility>

#include "core/GraphicsManager.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "editor/EdFind.h"
#include "editor/widgets/EdToggleBhv.h"
#include "input/InputManager.h"

void EdPalMainBhv::Start() {
    objectList_ = FindNestedComponent<EdToggleBhv>(Owner, "PaletteToggles", "ChkObjectList");
    prefabList_ = FindNestedComponent<EdToggleBhv>(Owner, "PaletteToggles", "ChkPrefabList");
    autoCreateList_ = FindNestedComponent<EdToggleBhv>(Owner, "PaletteToggles", "ChkAutoCreateList");
    edit_ = FindNestedComponent<EdToggleBhv>(Owner, "PaletteToggles", "ChkEdit");
    history_ = FindNestedComponent<EdToggleBhv>(Owner, "PaletteToggles", "ChkHistory");
    pause_ = FindNestedComponent<EdToggleBhv>(Owner, "ButtonRow1", "ChkPauseGame");
    physics_ = FindNestedComponent<EdToggleBhv>(Owner, "ButtonRow1", "ChkShowPhysics");
    const auto connect = [this](EdToggleBhv* toggle, const char* palette) {
        if (toggle) {
            toggle->ChangeHandler = [this, palette](bool value) {
                ShowPalette(palette, value);
            };
        }
    };
    connect(objectList_.Get(), "PalObjectList");
    connect(prefabList_.Get(), "PalPrefabList");
    connect(autoCreateList_.Get(), "PalAutoCreateList");
    connect(edit_.Get(), "PalObjectEdit");
    connect(history_.Get(), "PalHistory");
    if (pause_) {
        pause_->ChangeHandler = [this](bool value) {
            onPurpose_ = false;
            ApplyPause(value);
        };
    }
    if (physics_) {
        physics_->ChangeHandler = [](bool value) {
            if (GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
                graphics->ShowPhysics = value;
            }
        };
    }
}

void EdPalMainBhv::ShowPalette(const char* name, bool shown) {
    GameObject* parent = Owner ? Owner->Parent : nullptr;
    if (GameObject* palette = parent ? parent->FindChild(name) : nullptr) {
        palette->SetPassesEnabled(shown);
    }
}

void EdPalMainBhv::ApplyPause(bool paused) {
    const SceneRoots* roots = Service<SceneRoots>::TryGet();
    if (GameObject* gameplay = roots ? roots->GameplayRoot : nullptr) {
        gameplay->InputEnabled = !paused;
        gameplay->UpdateEnabled = !paused;
    }
}

void EdPalMainBhv::SetPause(bool paused, bool onPurpose) {
    if (!pause_) {
        return;
    }
    pause_->Value = paused;
    onPurpose_ = paused && onPurpose;
    ApplyPause(paused);
}

bool EdPalMainBhv::IsPaused() const {
    return pause_ && pause_->Value;
}

void EdPalMainBhv::EditorClosed() {
    if (IsPaused() && !onPurpose_) {
        SetPause(false, false);
    }
}

void EdPalMainBhv::HandleInput() {
    if (pause_ && Service<InputManager>::Get().IsKeyPressed(Key::Pause)) {
        SetPause(!pause_->Value, true);
    }
}

void EdPalMainBhv::Update() {
    if (!applied_ && Owner && Owner->Parent) {
        applied_ = true;
        for (auto [toggle, name] :
             {std::pair{objectList_, "PalObjectList"}, std::pair{prefabList_, "PalPrefabList"},
              std::pair{autoCreateList_, "PalAutoCreateList"}, std::pair{edit_, "PalObjectEdit"},
              std::pair{history_, "PalHistory"}}) {
            if (toggle) {
                ShowPalette(name, toggle->Value);
            }
        }
    }
    if (physics_) {
        if (const GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
            physics_->Value = graphics->ShowPhysics;
        }
    }
}
