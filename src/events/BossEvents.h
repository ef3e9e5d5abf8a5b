#pragma once

#include "core/Event.h"
#include "events/BossEventArgs.h"

// A boss shows up, is defeated, or is removed because the player left its area.
class BossEvents {
public:
    virtual ~BossEvents() = default;

    Event<BossEventArgs> BossAppeared; // raised once the boss is at full health
    Event<BossEventArgs> BossDefeated; // raised when its health reaches zero
    Event<BossEventArgs> BossRemoved;  // raised just before the boss is queued for destruction
};
