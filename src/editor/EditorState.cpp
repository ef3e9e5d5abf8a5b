#include "editor/EditorState.h"

#include <algorithm>

#include "core/GameObject.h"

EditorState::EditorState() : previousListener_(GameObject::SetDestructionListener(this)) {}

EditorState::~EditorState() {
    GameObject::SetDestructionListener(previousListener_);
}

void EditorState::ObjectDestroyed(GameObject& object) {
    if (ListedParent == &object) {
        ListedParent = object.Parent;
    }
    if (SelectedObject == &object) {
        GameObject* next = nullptr;
        if (object.Parent) {
            const auto& siblings = object.Parent->Children;
            auto it = std::find(siblings.begin(), siblings.end(), &object);
            if (it != siblings.end() && it + 1 != siblings.end()) {
                next = *(it + 1);
            }
        }
        SelectedObject = next;
    }
}
