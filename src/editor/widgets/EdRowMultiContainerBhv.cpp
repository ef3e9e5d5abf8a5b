#include "editor/widgets/EdRowMultiContainerBhv.h"

#include "core/GameObject.h"

EdRowMultiContainerBhv::EdRowMultiContainerBhv() {
    RegisterProperty("Height", &Height);
}

void EdRowMultiContainerBhv::SetBounds(float x, float y, float width, float height) {
    IEdUiElement::SetBounds(x, y, width, height);
    if (!Owner || Owner->Children.empty()) {
        return;
    }
    const auto& children = Owner->Children;
    const int n = static_cast<int>(children.size());
    const float column = static_cast<float>(static_cast<int>(width) / n);
    for (int i = 0; i < n; ++i) {
        if (IEdUiElement* element = FindUiElement(*children[static_cast<size_t>(i)])) {
            element->SetBounds(x + static_cast<float>(i) * column, y, column, height);
        }
    }
}
