#include "editor/IEdUiElement.h"

#include "core/Component.h"
#include "core/GameObject.h"

IEdUiElement* FindUiElement(const GameObject& object) {
    for (Component* c : object.Components) {
        if (auto* element = dynamic_cast<IEdUiElement*>(c)) {
            return element;
        }
    }
    return nullptr;
}

float StackChildren(const GameObject& container, float left, float top, float width, bool skipHidden) {
    float y = top;
    for (GameObject* child : container.Children) {
        if (skipHidden && !child->DrawEnabled) {
            continue;
        }
        if (IEdUiElement* element = FindUiElement(*child)) {
            element->SetBounds(left, y, width, element->Height);
            y += element->Height;
        }
    }
    return y;
}
