#pragma once

#include "core/Behavior.h"

class BossGateBhv;
class GameObject;
struct BossEventArgs;

// The boss cycle, driven by the submarine's depth: entering the chamber closes the upper gate
// behind it and brings the boss; leaving opens it again and sends the boss away; defeating the
// boss opens both gates for good and brings a second supply station. Between the inner and the
// outer band nothing changes, so hovering at the edge does not flicker. Also pays the one-time
// reward when the player's money first reaches RewardMoney.
class WorldEventsBhv : public Behavior {
public:
    static constexpr const char* ClassName = "WorldEventsBhv";
    static constexpr float BossSpawnX = 110.0f;
    static constexpr float BossSpawnY = -215.0f;
    static constexpr float StationX = 75.0f;
    static constexpr float StationY = -219.0f;
    static constexpr int RewardMoney = 2816;

    ~WorldEventsBhv() override;

    // Publishes itself and listens for the boss's defeat.
    void Start() override;
    void Update() override;

    // Sets the gates and the second station to match bossDefeated, silently (after generating or
    // loading a world).
    void ApplyBossState();
    void OnBossDefeated(BossEventArgs* args);
    // One frame's reaction to the submarine at this depth (rows below the surface) while the boss
    // lives: the inner band closes the upper gate and brings the boss, beyond the outer band the
    // gate opens and the boss goes.
    void FollowSubmarine(float depth);

    GameObject* CurrentBoss() const { return boss_; }
    GameObject* SecondStation() const { return secondStation_; }

    bool bossDefeated = false;
    bool rewardGiven = false;
    BossGateBhv* upperGate = nullptr;
    BossGateBhv* lowerGate = nullptr;

private:
    void SpawnSecondStation();
    void GiveReward();

    GameObject* boss_ = nullptr;
    GameObject* secondStation_ = nullptr;
};
