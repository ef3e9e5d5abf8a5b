#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/IComponentShortcuts.h"
#include "core/Vector2.h"

class Component;
class Behavior;

// A node of the object tree. Owns its components and children; its shortcut slots point at its own
// first component of each hot type. Attaching a child is the caller's job (set Parent and append to
// Children, or AppendChild); deletion happens at the end-of-frame flush (DestroyLater).
class alignas(64) GameObject : public IComponentShortcuts {
public:
    // An empty object: no name, no prefab, no components, all three flags set.
    GameObject();
    // Builds the object from the named prefab, its AutoCreate children included, and runs the Start
    // hooks. The prefab must exist: a missing one is a programming error that aborts.
    explicit GameObject(const std::string& prefabName);
    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;
    // Deletes the components last to first, then the children last to first, then leaves the parent.
    ~GameObject() override;

    // The draw walk reads the slots, Children and DrawEnabled of every object, and the input and
    // update passes its flags, Behaviors and Children, so they come first: with the object on a line
    // boundary they fill its first two cache lines, and a pass reads the second line alone.
    std::vector<GameObject*> Children; // owned, in order
    bool DrawEnabled = true;           // clear: drawing skips this subtree
    bool InputEnabled = true;          // clear: the input pass skips this subtree
    bool UpdateEnabled = true;         // clear: the update pass skips this subtree and its bodies go inactive

    bool PendingDestroy = false;
    // Cleared when a flush took this object out of Parent's Children just before deleting it, with
    // many of its siblings in one pass; Parent still names the parent meanwhile.
    bool ListedByParent = true;
    GameObject* Parent = nullptr;       // not owning
    std::vector<Behavior*> Behaviors;   // the behaviours among Components, not owned, in attachment order
    std::vector<Component*> Components; // owned, in attachment order
    std::string Name;
    std::string PrefabName; // the prefab this object was built from

    // Takes ownership of the component and fills the empty slots of this object and its behaviours.
    void AddComponent(Component* component);
    // Detaches without deleting; slots that pointed at it become null and stay null.
    void RemoveComponent(Component* component);
    // Sets the child's Parent and appends it to Children.
    void AppendChild(GameObject* child);
    // Clears the child's Parent and erases it from Children; does not delete it.
    void RemoveChild(GameObject* child);
    // The first direct child with exactly this name, or null.
    GameObject* FindChild(std::string_view name) const;
    // Swaps with the sibling offset places away when that index exists; otherwise does nothing.
    void MoveAmongSiblings(int offset);
    // World position: the chained Pos2d position, else the body's position, else (0, 0).
    Vector2 GetPosition() const;
    // Queues the object (and so its subtree) for deletion at the end of the frame; once only.
    void DestroyLater();
    // Builds a new object from PrefabName, inserts it just before this one under the same parent,
    // queues this one for deletion and returns the new one.
    GameObject* Reinstantiate();

    // The n-th (0-based) component that is a T, in Components order, or null.
    template <class T> T* GetComponentOfType(int n = 0) const {
        for (Component* c : Components) {
            if (T* t = dynamic_cast<T*>(c)) {
                if (n-- == 0) {
                    return t;
                }
            }
        }
        return nullptr;
    }

    // Input, update and drawing of this subtree all on or all off: how a screen, a tool's display or
    // a stored item is switched as a whole.
    void SetPassesEnabled(bool on) { InputEnabled = UpdateEnabled = DrawEnabled = on; }
};
