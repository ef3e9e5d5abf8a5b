#pragma once

#include <string_view>

#include "core/GameObject.h"

// The first T among the components of owner's direct child named name; null when owner, the child
// or the component is missing.
template <class T> T* FindChildComponent(const GameObject* owner, std::string_view name) {
    if (!owner) {
        return nullptr;
    }
    GameObject* child = owner->FindChild(name);
    return child ? child->GetComponentOfType<T>() : nullptr;
}

// The same one level further down: owner / outer / inner.
template <class T>
T* FindNestedComponent(const GameObject* owner, std::string_view outer, std::string_view inner) {
    return owner ? FindChildComponent<T>(owner->FindChild(outer), inner) : nullptr;
}
