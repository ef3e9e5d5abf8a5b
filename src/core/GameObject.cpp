#include "core/GameObject.h"

#include <algorithm>

#include "core/Behavior.h"
#include "core/Component.h"
#include "core/DestroyQueues.h"
#include "core/Handle.h"
#include "core/ObjectDestructionListener.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"

GameObject::GameObject() = default;

namespace {

// The entry is normally the last one: parents delete their children and components from the back.
template <class T> void EraseFromBack(std::vector<T*>& list, const T* item) {
    auto it = std::find(list.rbegin(), list.rend(), item);
    if (it != list.rend()) {
        list.erase(std::next(it).base());
    }
}

} // namespace

GameObject::~GameObject() {
    handles::Expire(this);
    if (PendingDestroy) {
        if (DestroyQueues* queues = Service<DestroyQueues>::TryGet()) {
            queues->Forget(this);
        }
    }
    // Each deletion detaches itself from this object, so the lists shrink from the end.
    while (!Components.empty()) {
        delete Components.back();
    }
    while (!Children.empty()) {
        delete Children.back();
    }
    // After the children, so a listener that moves off a deleted child onto its parent hears of the
    // parent too and moves on again.
    if (ObjectDestructionListener* listener = Service<ObjectDestructionListener>::TryGet()) {
        listener->ObjectDestroyed(*this);
    }
    if (Parent && ListedByParent) {
        Parent->RemoveChild(this);
    }
}

void GameObject::AddComponent(Component* c) {
    c->Owner = this;
    Components.push_back(c);
    Behavior* asBehavior = c->AsBehavior();
    if (asBehavior) {
        Behaviors.push_back(asBehavior);
        asBehavior->Slots = Slots;
    }
    const ShortcutSlot slot = c->Slot();
    if (slot == ShortcutSlot::None) {
        return;
    }
    const int s = static_cast<int>(slot);
    if (!Slots[s]) {
        Slots[s] = c;
    }
    for (Behavior* b : Behaviors) {
        if (!b->Slots[s]) {
            b->Slots[s] = c;
        }
    }
}

void GameObject::RemoveComponent(Component* c) {
    c->Owner = nullptr;
    EraseFromBack(Components, c);
    // Compared as components: this also runs from ~Component, when c is no longer a Behavior.
    auto b = std::find_if(Behaviors.rbegin(), Behaviors.rend(),
                          [c](Behavior* x) { return static_cast<Component*>(x) == c; });
    if (b != Behaviors.rend()) {
        Behaviors.erase(std::next(b).base());
    }
    for (Component*& slot : Slots) {
        if (slot == c) {
            slot = nullptr;
        }
    }
    for (Behavior* other : Behaviors) {
        for (Component*& slot : other->Slots) {
            if (slot == c) {
                slot = nullptr;
            }
        }
    }
}

void GameObject::AppendChild(GameObject* child) {
    child->Parent = this;
    Children.push_back(child);
}

void GameObject::RemoveChild(GameObject* child) {
    child->Parent = nullptr;
    EraseFromBack(Children, child);
}

GameObject* GameObject::FindChild(std::string_view name) const {
    for (GameObject* child : Children) {
        if (child->Name == name) {
            return child;
        }
    }
    return nullptr;
}

void GameObject::MoveAmongSiblings(int offset) {
    if (!Parent) {
        return;
    }
    auto& siblings = Parent->Children;
    auto it = std::find(siblings.begin(), siblings.end(), this);
    if (it == siblings.end()) {
        return;
    }
    const long i = it - siblings.begin();
    const long t = i + offset;
    if (t < 0 || t >= static_cast<long>(siblings.size())) {
        return;
    }
    std::swap(siblings[i], siblings[t]);
}

Vector2 GameObject::GetPosition() const {
    if (Pos2dComponent* pos = Pos2d()) {
        return pos->WorldPosition();
    }
    if (Component* body = GetSlot(ShortcutSlot::Body)) {
        return body->BodyPosition();
    }
    return {};
}

void GameObject::DestroyLater() {
    if (PendingDestroy) {
        return;
    }
    PendingDestroy = true;
    Service<DestroyQueues>::Get().Enqueue(this);
}
