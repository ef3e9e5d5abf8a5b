#include "editor/widgets/EdButtonBhv.h"

#include "core/GameObject.h"
#include "core/Service.h"
#include "editor/widgets/WidgetPieces.h"
#include "input/InputManager.h"

namespace {
constexpr Color GrayedText{89, 89, 89, 255};
}

EdButtonBhv::EdButtonBhv() {
    RegisterProperty("Title", &Title);
    RegisterProperty("Height", &Height);
    RegisterProperty("IsGrayedOut", &IsGrayedOut);
}

bool EdButtonBhv::IsPressedLook() const {
    const InputManager* input = Service<InputManager>::TryGet();
    return IsArmed && input && Contains(input->MousePosition);
}

void EdButtonBhv::SetBounds(float x, float y, float width, float height) {
    IEdUiElement::SetBounds(x, y, width, height);
    PlacePieces();
}

void EdButtonBhv::PlacePieces() {
    const Rect& r = Bounds;
    GameObject* text = FindChild("Text");
    WidgetPieces::PlaceText(text, r.x + r.width * 0.5f, r.y + r.height * 0.5f, Title, TextXAlignment::Center);
    WidgetPieces::SetTint(text, IsGrayedOut ? GrayedText : Color::White());
    WidgetPieces::PlaceSprite(FindChild("Background"), r.x, r.y, r.width, r.height, IsPressedLook());
}

void EdButtonBhv::HandleInput() {
    const InputManager& input = Service<InputManager>::Get();
    const bool inside = Contains(input.MousePosition);
    if (input.IsKeyPressed(Key::LeftMouse)) {
        IsArmed = inside;
    } else if (!input.IsKeyDown(Key::LeftMouse)) {
        const bool released = input.PreviousKeys.test(static_cast<size_t>(Key::LeftMouse));
        const bool click = IsArmed && released && inside;
        IsArmed = false;
        if (click && ClickHandler) {
            ClickHandler();
        }
    }
    PlacePieces();
}
