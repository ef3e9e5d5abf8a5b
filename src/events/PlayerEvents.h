#pragma once

#include "core/Event.h"

// The submarine crossed the edge of the boss band. The argument pointer carries nothing; raisers pass
// null.
class PlayerEvents {
public:
    virtual ~PlayerEvents() = default;

    Event<void> PlayerEnteredBossArea; // each update while the submarine is inside the band
    Event<void> PlayerLeftBossArea;    // when it has left the band while a boss exists
};
