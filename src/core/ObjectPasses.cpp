#include "core/ObjectPasses.h"

#include "core/Behavior.h"
#include "core/CoroutineManager.h"
#include "core/GameObject.h"
#include "core/Service.h"

namespace {

// A pass spends its time waiting for memory: each object, its list of behaviours and each behaviour
// lie apart, and each is found only through the one before. Asking early for the behaviours of this
// object and for the line the pass reads of the next sibling lets those waits overlap.
void PrefetchBehaviours(const GameObject& object) {
    for (const Behavior* behavior : object.Behaviors) {
        __builtin_prefetch(behavior);
    }
}

void PrefetchSibling(const GameObject& parent, size_t next) {
    if (next < parent.Children.size()) {
        __builtin_prefetch(&parent.Children[next]->Behaviors);
    }
}

} // namespace

void InputPass(GameObject& object) {
    if (!object.InputEnabled) {
        return;
    }
    PrefetchBehaviours(object);
    for (size_t i = 0; i < object.Behaviors.size(); ++i) {
        object.Behaviors[i]->HandleInput();
    }
    for (size_t i = 0; i < object.Children.size(); ++i) {
        PrefetchSibling(object, i + 1);
        InputPass(*object.Children[i]);
    }
}

void UpdatePass(GameObject& object) {
    if (!object.UpdateEnabled) {
        return;
    }
    CoroutineManager& coroutines = Service<CoroutineManager>::Get();
    PrefetchBehaviours(object);
    for (size_t i = 0; i < object.Behaviors.size(); ++i) {
        Behavior& behavior = *object.Behaviors[i];
        behavior.Update();
        if (!behavior.Coroutines.empty()) { // most behaviours have none: skip the call and the map walk
            coroutines.UpdateCoroutines(behavior);
        }
    }
    for (size_t i = 0; i < object.Children.size(); ++i) {
        PrefetchSibling(object, i + 1);
        UpdatePass(*object.Children[i]);
    }
}

void BodyActivityPass(GameObject& object, bool active) {
    const bool a = active && object.UpdateEnabled;
    if (Component* body = object.GetSlot(ShortcutSlot::Body)) {
        body->SetBodyActive(a);
    }
    for (GameObject* child : object.Children) {
        BodyActivityPass(*child, a);
    }
}
