#include "editor/EdDialogBhv.h"

#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "core/GameObject.h"
#include "editor/IEdUiElement.h"
#include "editor/ScreenSize.h"
#include "editor/widgets/WidgetPieces.h"

namespace {

// Dialogs draw in the second pair of editor layers, above every palette.
void MoveToDialogLayers(GameObject& object) {
    for (Component* c : object.Components) {
        if (auto* sprite = dynamic_cast<SpriteComponent*>(c)) {
            sprite->Layer = DrawLayer::Editor2;
        } else if (auto* text = dynamic_cast<TextComponent*>(c)) {
            text->Layer = DrawLayer::EditorText2;
        }
    }
    for (GameObject* child : object.Children) {
        MoveToDialogLayers(*child);
    }
}

} // namespace

EdDialogBhv::EdDialogBhv() {
    RegisterProperty("Width", &Width);
}

void EdDialogBhv::Start() {
    const Vector2 screen = EditorScreenSize();
    TopLeft = {(screen.x - Width) * 0.5f, (screen.y - PlacementHeight) * 0.5f};
    WidgetPieces::PlaceSprite(FindChild("Overlay"), 0.0f, 0.0f, screen.x, screen.y);
    Layout();
    if (Owner) {
        MoveToDialogLayers(*Owner);
    }
    Show(false);
}

void EdDialogBhv::Update() {
    Layout();
}

void EdDialogBhv::Layout() {
    if (Owner) {
        StackChildren(*Owner, TopLeft.x, TopLeft.y, Width, false);
    }
}

void EdDialogBhv::Show(bool shown) {
    if (Owner) {
        Owner->SetPassesEnabled(shown);
    }
}
