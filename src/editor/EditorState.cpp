#include "editor/EditorState.h"

#include <algorithm>

#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/Service.h"
#include "prefabs/Prefab.h"

namespace {

// The selection moves on to the object after one that goes, or to none.
GameObject* NextSibling(const GameObject& object) {
    if (!object.Parent) {
        return nullptr;
    }
    const auto& siblings = object.Parent->Children;
    auto it = std::find(siblings.begin(), siblings.end(), &object);
    return it != siblings.end() && it + 1 != siblings.end() ? *(it + 1) : nullptr;
}

} // namespace

EditorState::EditorState() = default;

EditorState::~EditorState() = default;

void EditorState::ObjectDestroyed(GameObject& object) {
    History.ObjectDestroyed(object);
    if (ListedParent == &object) {
        ListedParent = object.Parent;
    }
    if (SelectedObject == &object) {
        SelectedObject = NextSibling(object);
    }
}

void EditorState::SelectObject(GameObject* object) {
    SelectedObject = object;
    SelectedPrefab = nullptr;
    SelectedAutoCreate = nullptr;
}

void EditorState::SelectPrefab(Prefab* prefab) {
    SelectedObject = nullptr;
    SelectedPrefab = prefab;
    SelectedAutoCreate = nullptr;
    if (prefab) {
        SelectedPrefabName = prefab->Name;
    }
}

void EditorState::SelectAutoCreate(AutoCreate* entry) {
    SelectedObject = nullptr;
    SelectedPrefab = nullptr;
    SelectedAutoCreate = entry;
}

namespace {

bool Within(const GameObject* object, const GameObject& root) {
    for (const GameObject* o = object; o; o = o->Parent) {
        if (o == &root) {
            return true;
        }
    }
    return false;
}

} // namespace

void EditorState::ObjectLeaving(GameObject& object) {
    if (Within(ListedParent, object)) {
        ListedParent = object.Parent;
    }
    if (Within(SelectedObject, object)) {
        SelectedObject = NextSibling(object);
    }
}

float EditorState::Now() const {
    const GameTime* time = Service<GameTime>::TryGet();
    return time ? time->TotalTime : 0.0f;
}
