#include "core/Events.h"

#include "core/BossEvents.h"
#include "core/GameEvents.h"
#include "core/PlayerEvents.h"

Events::Events()
    : Boss(std::make_unique<BossEvents>()), Game(std::make_unique<GameEvents>()),
      Player(std::make_unique<PlayerEvents>()) {}

Events::~Events() = default;
