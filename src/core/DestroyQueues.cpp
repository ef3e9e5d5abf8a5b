#include "core/DestroyQueues.h"

#include "core/Component.h"
#include "core/GameObject.h"

#include <unordered_map>

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

// Parents losing at least this many children in one flush have them erased in one pass.
constexpr size_t ManySiblings = 32;

// Erasing each child from its parent's list as it goes costs the length of that list, so a parent
// losing thousands of children would make the flush grow with their square: such children leave the
// list together, in one pass, before any deletion. Each keeps its Parent for its destructor's sake.
void UnlistSiblingGroups(const std::vector<GameObject*>& objects) {
    if (objects.size() < ManySiblings) {
        return;
    }
    std::unordered_map<GameObject*, size_t> leaving;
    for (const GameObject* object : objects) {
        if (object->Parent) {
            ++leaving[object->Parent];
        }
    }
    for (GameObject* object : objects) {
        if (object->Parent && leaving[object->Parent] >= ManySiblings) {
            object->ListedByParent = false;
        }
    }
    for (const auto& [parent, count] : leaving) {
        if (count >= ManySiblings) {
            std::erase_if(parent->Children, [](const GameObject* child) { return !child->ListedByParent; });
        }
    }
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
    UnlistSiblingGroups(objects);
    // Nested flushes (a destructor flushing) add to the count rather than reset it.
    const size_t flushing = objects.size() + components.size();
    flushing_ += flushing;
    for (GameObject* object : objects) {
        delete object;
    }
    for (Component* component : components) {
        delete component;
    }
    flushing_ -= flushing;
}
