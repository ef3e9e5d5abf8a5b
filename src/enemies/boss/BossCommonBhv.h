#pragma once

#include "core/Behavior.h"

// Ties a boss to the boss events: it announces itself at full health and leaves the world when the
// player leaves its area.
class BossCommonBhv : public Behavior {
public:
    static constexpr const char* ClassName = "BossCommonBhv";

    ~BossCommonBhv() override;

    // Fills the enemy's health, raises BossAppeared and listens for the player leaving.
    void Start() override;
    // Raises BossRemoved and queues the boss for deletion.
    void OnPlayerLeft();

private:
    bool removed_ = false;
};
