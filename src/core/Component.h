#pragma once

#include "core/ShortcutSlot.h"
#include "core/Vector2.h"

class GameObject;
class Behavior;

// Base of everything attached to a GameObject. The owner holds components in attachment order and
// deletes them; game code never deletes one in the middle of a frame, it calls DestroyLater.
class Component {
public:
    Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    // Detaches from the owner first (RemoveComponent), so the owner's lists and slots never dangle.
    virtual ~Component();

    GameObject* Owner = nullptr; // not owning; null while detached
    bool PendingDestroy = false; // queued for the end-of-frame flush

    // Queues this component for deletion at the end of the frame; a second call does nothing.
    void DestroyLater();
    // Moves this component by offset within its owner's list (clamped to the ends), and likewise
    // among its owner's behaviours if it is one. Returns whether it moved.
    bool MoveInComponentList(int offset);

    // Which shortcut slot this component's type fills; the seven slot types override it.
    virtual ShortcutSlot Slot() const { return ShortcutSlot::None; }
    // Non-null exactly for behaviours; cheaper than a run-time cast on the hot paths.
    virtual Behavior* AsBehavior() { return nullptr; }

    // Physics hooks used through the Body slot: the body's position and angle (radians), and switching
    // the body on and off.
    virtual Vector2 BodyPosition() const { return {}; }
    virtual float BodyAngle() const { return 0.0f; }
    virtual void SetBodyActive(bool /*active*/) {}
};
