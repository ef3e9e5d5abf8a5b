#pragma once

class GameObject;

// Hears of every object on its way out: after its components and children are gone, while it still
// hangs under its parent. Whoever keeps non-owning pointers into the tree (a selection, a listed parent)
// lets go of the object there or moves on to a neighbour. One listener at a time, installed as
// Service<ObjectDestructionListener>.
class ObjectDestructionListener {
public:
    virtual void ObjectDestroyed(GameObject& object) = 0;

protected:
    ~ObjectDestructionListener() = default;
};
