#pragma once

#include "core/Behavior.h"

// The well-known holder of debug shapes (the one that started last). Holds debug shapes as child objects:
// while gameplay runs each child lasts one frame; while it is paused they stay.
class DebugRectsBhv : public Behavior {
public:
    static constexpr const char* ClassName = "DebugRectsBhv";

    // Stops being the well-known instance if it still is.
    ~DebugRectsBhv() override;

    void Start() override;
    // Queues every child of the owner that is not queued yet, when the gameplay root updates.
    void HandleInput() override;
};
