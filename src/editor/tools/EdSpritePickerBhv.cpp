#include "editor/tools/EdSpritePickerBhv.h"

#include "components/SpriteComponent.h"
#include "core/GameObject.h"
#include "core/GraphicsManager.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "editor/EdScene.h"
#include "editor/EditorState.h"
#include "input/InputManager.h"

namespace {

// Negative sizes mirror a sprite; its box is the same.
bool Covers(const Rect& r, Vector2 p) {
    const float left = r.width < 0.0f ? r.x + r.width : r.x;
    const float top = r.height < 0.0f ? r.y + r.height : r.y;
    const float width = r.width < 0.0f ? -r.width : r.width;
    const float height = r.height < 0.0f ? -r.height : r.height;
    return p.x >= left && p.x < left + width && p.y >= top && p.y < top + height;
}

void Search(GameObject& object, Vector2 screen, Vector2 world, GameObject*& hit) {
    if (!object.DrawEnabled) {
        return;
    }
    if (const SpriteComponent* sprite = object.Sprite()) {
        const Vector2 p = sprite->Layer == DrawLayer::World ? world : screen;
        if (Covers(sprite->WorldBounds(), p)) {
            hit = &object;
        }
    }
    for (GameObject* child : object.Children) {
        Search(*child, screen, world, hit);
    }
}

} // namespace

EdSpritePickerBhv::~EdSpritePickerBhv() {
    WellKnown<EdSpritePickerBhv>::ClearIf(this);
}

void EdSpritePickerBhv::Start() {
    WellKnown<EdSpritePickerBhv>::Register(this);
    Owner->SetPassesEnabled(false);
}

GameObject* EdSpritePickerBhv::PickAt(GameObject& root, Vector2 screenPoint) {
    const GraphicsManager* graphics = Service<GraphicsManager>::TryGet();
    const Camera2d camera = graphics ? graphics->WorldCamera : Camera2d::DefaultWorld(1280, 720);
    const Vector2 world = graphics ? camera.ScreenToWorld(screenPoint, graphics->Width, graphics->Height)
                                   : camera.ScreenToWorld(screenPoint);
    GameObject* hit = nullptr;
    Search(root, screenPoint, world, hit);
    return hit;
}

void EdSpritePickerBhv::Open() {
    EditorState& editor = Service<EditorState>::Get();
    Owner->SetPassesEnabled(true);
    editor.ModalOpen = true;
    if (GameObject* gameplay = GameplayRoot()) {
        gameplayInput_ = gameplay->InputEnabled;
        gameplayUpdate_ = gameplay->UpdateEnabled;
        gameplay->InputEnabled = false;
        gameplay->UpdateEnabled = false;
    }
}

void EdSpritePickerBhv::Close() {
    Owner->SetPassesEnabled(false);
    Service<EditorState>::Get().ModalOpen = false;
    if (GameObject* gameplay = GameplayRoot()) {
        gameplay->InputEnabled = gameplayInput_;
        gameplay->UpdateEnabled = gameplayUpdate_;
    }
}

void EdSpritePickerBhv::HandleInput() {
    const InputManager& input = Service<InputManager>::Get();
    if (input.IsKeyPressed(Key::Esc)) {
        Close();
        return;
    }
    if (!input.IsKeyPressed(Key::LeftMouse)) {
        return;
    }
    GameObject* gameplay = GameplayRoot();
    if (GameObject* hit = gameplay ? PickAt(*gameplay, input.MousePosition) : nullptr) {
        EditorState& editor = Service<EditorState>::Get();
        editor.SelectObject(hit);
        editor.ListedParent = hit;
    }
    Close();
}
