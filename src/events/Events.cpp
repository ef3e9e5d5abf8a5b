#include "events/Events.h"

#include "events/BossEvents.h"
#include "events/GameEvents.h"
#include "events/PlayerEvents.h"

Events::Events()
    : Boss(std::make_unique<BossEvents>()), Game(std::make_unique<GameEvents>()),
      Player(std::make_unique<PlayerEvents>()) {}

Events::~Events() = default;
