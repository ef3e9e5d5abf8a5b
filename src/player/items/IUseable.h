#pragma once

// An item the player can use from the inventory list.
class IUseable {
public:
    virtual bool canUse() = 0;
    virtual void use() = 0;

protected:
    ~IUseable() = default;
};
