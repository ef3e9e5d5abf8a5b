#pragma once

class GameObject;

// Something the submarine collects by touching it (and pulls in with its magnet).
class IPickup {
public:
    // May it be collected, and attracted, now? Asked again on every contact and magnet pass.
    virtual bool canPickUp() = 0;
    // Applies its effect and removes the pickup.
    virtual void pickUp() = 0;

protected:
    ~IPickup() = default;
};

// The first component of the object that is a pickup, or null.
IPickup* FindPickup(const GameObject& object);
