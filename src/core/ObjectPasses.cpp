#include "core/ObjectPasses.h"

#include "core/Behavior.h"
#include "core/CoroutineManager.h"
#include "core/GameObject.h"
#include "core/Service.h"

void InputPass(GameObject& object) {
    if (!object.InputEnabled) {
        return;
    }
    for (size_t i = 0; i < object.Behaviors.size(); ++i) {
        object.Behaviors[i]->HandleInput();
    }
    for (size_t i = 0; i < object.Children.size(); ++i) {
        InputPass(*object.Children[i]);
    }
}

void UpdatePass(GameObject& object) {
    if (!object.UpdateEnabled) {
        return;
    }
    CoroutineManager& coroutines = Service<CoroutineManager>::Get();
    for (size_t i = 0; i < object.Behaviors.size(); ++i) {
        Behavior& behavior = *object.Behaviors[i];
        behavior.Update();
        if (!behavior.Coroutines.empty()) { // most behaviours have none: skip the call and the map walk
            coroutines.UpdateCoroutines(behavior);
        }
    }
    for (size_t i = 0; i < object.Children.size(); ++i) {
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
