#include "editor/widgets/EdSpacerBhv.h"

#include "editor/widgets/WidgetPieces.h"

EdSpacerBhv::EdSpacerBhv() {
    RegisterProperty("Height", &Height);
}

void EdSpacerBhv::SetBounds(float x, float y, float width, float height) {
    IEdUiElement::SetBounds(x, y, width, height);
    WidgetPieces::PlaceSprite(Owner, x, y, width, height);
}
