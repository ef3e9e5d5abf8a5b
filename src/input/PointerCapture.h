#pragma once

// Whether an overlay above the game (the developer tools) holds the pointer and keys right now;
// while it does, the game's own tools stay still. The overlay is reached as
// Service<PointerCapture>; without one, the game has the pointer.
class PointerCapture {
public:
    virtual bool HasPointer() const = 0;

protected:
    ~PointerCapture() = default;
};
