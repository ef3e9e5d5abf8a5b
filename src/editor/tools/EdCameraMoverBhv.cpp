#include "editor/tools/EdCameraMoverBhv.h"

#include "core/GraphicsManager.h"
#include "core/Service.h"
#include "editor/EditorState.h"
#include "input/InputManager.h"

EdCameraMoverBhv::EdCameraMoverBhv() {
    RegisterProperty("MoveIncrement", &MoveIncrement);
    RegisterProperty("ZoomFactor", &ZoomFactor);
    RegisterProperty("IsStandalone", &IsStandalone);
}

EdCameraMoverBhv::~EdCameraMoverBhv() {
    End();
}

void EdCameraMoverBhv::Begin() {
    GraphicsManager* graphics = Service<GraphicsManager>::TryGet();
    if (flying_ || !graphics) {
        return;
    }
    saved_ = graphics->WorldCamera;
    flown_ = saved_;
    flying_ = true;
}

void EdCameraMoverBhv::End() {
    if (!flying_) {
        return;
    }
    flying_ = false;
    if (GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
        graphics->WorldCamera = saved_;
    }
}

void EdCameraMoverBhv::HandleInput() {
    const InputManager& input = Service<InputManager>::Get();
    if (IsStandalone) {
        const EditorState* editor = Service<EditorState>::TryGet();
        const bool usable = editor && editor->Active && !editor->ModalOpen;
        if (!flying_ && usable && input.IsKeyDown(Key::Ctrl) && input.IsKeyPressed(Key::F)) {
            Begin();
            return;
        }
        if (flying_ && input.IsKeyPressed(Key::Esc)) {
            End();
            return;
        }
    }
    if (!flying_) {
        return;
    }
    // Fired keys: a held key keeps moving at the keyboard's repeat rate.
    if (input.IsKeyFired(Key::W)) {
        flown_.Position.y += MoveIncrement;
    }
    if (input.IsKeyFired(Key::S)) {
        flown_.Position.y -= MoveIncrement;
    }
    if (input.IsKeyFired(Key::D)) {
        flown_.Position.x += MoveIncrement;
    }
    if (input.IsKeyFired(Key::A)) {
        flown_.Position.x -= MoveIncrement;
    }
    if (ZoomFactor > 0.0f && input.IsKeyFired(Key::Equals)) {
        flown_.Size = {flown_.Size.x / ZoomFactor, flown_.Size.y / ZoomFactor};
    }
    if (ZoomFactor > 0.0f && input.IsKeyFired(Key::OemMinus)) {
        flown_.Size = flown_.Size * ZoomFactor;
    }
}

void EdCameraMoverBhv::Update() {
    if (flying_) {
        if (GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
            graphics->WorldCamera = flown_;
        }
    }
}
