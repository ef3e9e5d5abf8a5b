#include "core/DestroyQueues.h"

#include "core/Component.h"
#include "core/GameObject.h"

namespace {

// True when a queued ancestor's deletion will take this object with it.
bool HasQueuedAncestor(const GameObject* object) {
    for (const GameObject* p = object->Parent; p; p = p->Parent) {
        if (p->PendingDestroy) {
            return true;
        }
    }
    return false;
}

} // namespace

DestroyQueues::~DestroyQueues() {
    Flush();
}

void DestroyQueues::Forget(const GameObject* object) {
    std::erase(objects_, object);
}

void DestroyQueues::Forget(const Component* component) {
    std::erase(components_, component);
}

void DestroyQueues::Flush() {
    // Decide what to delete before deleting anything: once an object is gone, the entries it took
    // with it can no longer be inspected.
    std::vector<GameObject*> objects;
    objects.reserve(objects_.size());
    for (GameObject* object : objects_) {
        if (!HasQueuedAncestor(object)) {
            objects.push_back(object);
        }
    }
    std::vector<Component*> components;
    components.reserve(components_.size());
    for (Component* component : components_) {
        const GameObject* owner = component->Owner;
        if (!owner || (!owner->PendingDestroy && !HasQueuedAncestor(owner))) {
            components.push_back(component);
        }
    }
    objects_.clear();
    components_.clear();
    for (GameObject* object : objects) {
        delete object;
    }
    for (Component* component : components) {
        delete component;
    }
}
