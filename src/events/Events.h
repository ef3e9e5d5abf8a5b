#pragma once

#include <memory>

class BossEvents;
class GameEvents;
class PlayerEvents;

// The game-wide event hub (one process-wide instance, reached as Service<Events>). Behaviours subscribe
// in Start and must unsubscribe in their destructor: a handler left behind would be called on a
// destroyed object at the next raise.
class Events {
public:
    Events();
    virtual ~Events();
    Events(const Events&) = delete;
    Events& operator=(const Events&) = delete;

    const std::unique_ptr<BossEvents> Boss;
    const std::unique_ptr<GameEvents> Game;
    const std::unique_ptr<PlayerEvents> Player;
};
