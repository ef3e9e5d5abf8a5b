#pragma once

#include "core/Behavior.h"

// Holds debug shapes as child objects: while gameplay runs each child lasts one frame; while it is
// paused they stay.
class DebugRectsBhv : public Behavior {
public:
    // Stops being the current instance if it still is.
    ~DebugRectsBhv() override;

    void Start() override;
    // Queues every child of the owner that is not queued yet, when the gameplay root updates.
    void HandleInput() override;

    // The instance that started last, or null.
    static DebugRectsBhv* Current() { return current_; }

private:
    static inline DebugRectsBhv* current_ = nullptr;
};
