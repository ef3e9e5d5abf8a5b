#include "editor/widgets/EdListItemBhv.h"

#include "core/GameObject.h"
#include "core/Service.h"
#include "editor/widgets/WidgetPieces.h"
#include "input/InputManager.h"

EdListItemBhv::EdListItemBhv() {
    RegisterProperty("Label", &Label);
    RegisterProperty("Height", &Height);
    RegisterProperty("Margin", &Margin);
}

void EdListItemBhv::Start() {
    normalTint_ = WidgetPieces::GetTint(FindChild("Background"));
}

void EdListItemBhv::SetBounds(float x, float y, float width, float height) {
    IEdUiElement::SetBounds(x, y, width, height);
    GameObject* background = FindChild("Background");
    WidgetPieces::PlaceSprite(background, x, y, width, height);
    WidgetPieces::SetTint(background, IsHighlighted || IsSelected ? HighlightTint : normalTint_);
    shown_.assign(Label);
    if (IsSelected) {
        shown_ += "   <--";
    }
    WidgetPieces::PlaceText(FindChild("Text"), x + Margin, y + height * 0.5f, shown_, TextXAlignment::Left);
}

void EdListItemBhv::HandleInput() {
    const InputManager& input = Service<InputManager>::Get();
    if (!Contains(input.MousePosition)) {
        return;
    }
    if (input.IsKeyPressed(Key::LeftMouse) && ClickHandler) {
        ClickHandler();
    }
    if (input.IsKeyPressed(Key::RightMouse) && SecondaryClickHandler) {
        SecondaryClickHandler();
    }
}
