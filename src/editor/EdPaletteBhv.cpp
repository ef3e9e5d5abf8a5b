#include "editor/EdPaletteBhv.h"

#include <algorithm>

#include "editor/EdFind.h"
#include "editor/IEdUiElement.h"
#include "editor/ScreenSize.h"
#include "editor/widgets/EdTitleBarBhv.h"

EdPaletteBhv::EdPaletteBhv() {
    RegisterProperty("Width", &Width);
    RegisterProperty("TopLeft", &TopLeft);
}

void EdPaletteBhv::Start() {
    if (auto* titleBar = FindChildComponent<EdTitleBarBhv>(Owner, "TitleBar")) {
        titleBar->DragHandler = [this](Vector2 movement) {
            Move(movement);
        };
    }
    Layout();
}

void EdPaletteBhv::Update() {
    Layout();
}

void EdPaletteBhv::Move(Vector2 movement) {
    const Vector2 screen = EditorScreenSize();
    TopLeft += movement;
    TopLeft.x = std::min(std::max(TopLeft.x, KeepOnScreen - Width), screen.x - KeepOnScreen);
    TopLeft.y = std::min(std::max(TopLeft.y, -KeepOnScreen), screen.y - KeepOnScreen);
    Layout();
}

void EdPaletteBhv::Layout() {
    if (Owner) {
        StackChildren(*Owner, TopLeft.x, TopLeft.y, Width, true);
    }
}
