#include "core/Behavior.h"

#include "core/GameObject.h"

Behavior::~Behavior() {
    Coroutines.clear();
}

GameObject* Behavior::FindChild(std::string_view name) const {
    return Owner ? Owner->FindChild(name) : nullptr;
}
