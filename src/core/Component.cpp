#include "core/Component.h"

#include <algorithm>

#include "core/Behavior.h"
#include "core/DestroyQueues.h"
#include "core/GameObject.h"
#include "core/Handle.h"
#include "core/Service.h"

Component::~Component() {
    handles::Expire(this);
    if (PendingDestroy) {
        if (DestroyQueues* queues = Service<DestroyQueues>::TryGet()) {
            queues->Forget(this);
        }
    }
    if (Owner) {
        Owner->RemoveComponent(this);
    }
}

void Component::DestroyLater() {
    if (PendingDestroy) {
        return;
    }
    PendingDestroy = true;
    Service<DestroyQueues>::Get().Enqueue(this);
}

namespace {

// Erase-and-reinsert at the clamped target index; false when the clamped target is where it is.
template <class T> bool MoveWithin(std::vector<T*>& list, T* item, int offset) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end()) {
        return false;
    }
    const int n = static_cast<int>(list.size());
    const int i = static_cast<int>(it - list.begin());
    const int t = std::clamp(i + offset, 0, n - 1);
    if (t == i) {
        return false;
    }
    list.erase(it);
    list.insert(list.begin() + t, item);
    return true;
}

} // namespace

bool Component::MoveInComponentList(int offset) {
    if (!Owner) {
        return false;
    }
    if (!MoveWithin(Owner->Components, this, offset)) {
        return false;
    }
    if (Behavior* b = AsBehavior()) {
        MoveWithin(Owner->Behaviors, b, offset);
    }
    return true;
}
