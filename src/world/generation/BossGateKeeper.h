#pragma once

class GameObject;

// Whoever keeps the boss chamber's gates (the boss cycle). A newly generated world hands its two
// gates over through this interface, reached as WellKnown<BossGateKeeper>, and the keeper sets them
// to match the boss's state; without a keeper the gates just stand.
class BossGateKeeper {
public:
    virtual ~BossGateKeeper() = default;
    // Either gate may be null (no thing root to spawn it in).
    virtual void TakeGates(GameObject* upperGate, GameObject* lowerGate) = 0;
};
