#pragma once

#include "core/Event.h"

// The world was replaced. The argument pointer carries nothing; raisers pass null.
class GameEvents {
public:
    virtual ~GameEvents() = default;

    Event<void> WorldLoaded;    // after a saved world has been read
    Event<void> WorldGenerated; // after a new world has been generated
};
