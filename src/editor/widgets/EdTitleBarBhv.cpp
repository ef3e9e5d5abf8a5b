#include "editor/widgets/EdTitleBarBhv.h"

#include "core/GameObject.h"
#include "core/Service.h"
#include "editor/widgets/WidgetPieces.h"
#include "input/InputManager.h"

EdTitleBarBhv::EdTitleBarBhv() {
    RegisterProperty("Title", &Title);
    RegisterProperty("Height", &Height);
}

void EdTitleBarBhv::SetBounds(float x, float y, float width, float height) {
    IEdUiElement::SetBounds(x, y, width, height);
    WidgetPieces::PlaceSprite(FindChild("Background"), x, y, width, height);
    WidgetPieces::PlaceText(FindChild("Text"), x + 5.0f, y + height * 0.5f, Title, TextXAlignment::Left);
}

void EdTitleBarBhv::HandleInput() {
    const InputManager& input = Service<InputManager>::Get();
    if (input.IsKeyPressed(Key::LeftMouse) && Contains(input.MousePosition)) {
        IsDragging = true;
    } else if (!input.IsKeyDown(Key::LeftMouse)) {
        IsDragging = false;
    }
    if (IsDragging && DragHandler) {
        const Vector2 movement = input.MousePosition - input.PreviousMousePosition;
        if (movement.x != 0.0f || movement.y != 0.0f) {
            DragHandler(movement);
        }
    }
}
