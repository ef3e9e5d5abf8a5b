#include "editor/widgets/EdToggleBhv.h"

#include "core/GameObject.h"
#include "core/Service.h"
#include "editor/widgets/WidgetPieces.h"
#include "input/InputManager.h"

namespace {
constexpr Color PressedShade{89, 89, 89, 255};
} // namespace

EdToggleBhv::EdToggleBhv() {
    RegisterProperty("Title", &Title);
    RegisterProperty("Height", &Height);
    RegisterProperty("Value", &Value);
}

void EdToggleBhv::Start() {
    normalTint_ = WidgetPieces::GetTint(FindChild("Background"));
}

void EdToggleBhv::SetBounds(float x, float y, float width, float height) {
    IEdUiElement::SetBounds(x, y, width, height);
    WidgetPieces::PlaceText(FindChild("Text"), x + width * 0.5f, y + height * 0.5f, Title,
                            TextXAlignment::Center);
    ApplyLook();
}

void EdToggleBhv::HandleInput() {
    const InputManager& input = Service<InputManager>::Get();
    if (input.IsKeyPressed(Key::LeftMouse) && Contains(input.MousePosition)) {
        Value = !Value;
        if (ChangeHandler) {
            ChangeHandler(Value);
        }
    }
}

void EdToggleBhv::Update() {
    ApplyLook();
}

void EdToggleBhv::ApplyLook() {
    GameObject* background = FindChild("Background");
    WidgetPieces::SetTint(background, Value ? normalTint_ * PressedShade : normalTint_);
    WidgetPieces::SetTint(FindChild("Text"), Value ? Color::White() : WidgetPieces::Black);
    WidgetPieces::PlaceSprite(background, Bounds.x, Bounds.y, Bounds.width, Bounds.height, Value);
}
