#pragma once

#include "core/Behavior.h"
#include "core/Color.h"
#include "core/Handle.h"
#include "world/generation/BossGateKeeper.h"

class BossGateBhv;
class GameObject;
struct BossEventArgs;

// The boss cycle, driven by the submarine's depth: entering the chamber closes the upper gate
// behind it and brings the boss; leaving opens it again and sends the boss away; defeating the
// boss opens both gates for good and brings a second supply station. Between the inner and the
// outer band nothing changes, so hovering at the edge does not flicker. Also pays the one-time
// reward when the player's money first reaches RewardMoney.
class WorldEventsBhv : public Behavior, public BossGateKeeper {
public:
    static constexpr const char* ClassName = "WorldEventsBhv";
    static constexpr float BossSpawnX = 110.0f;
    static constexpr float BossSpawnY = -215.0f;
    static constexpr float StationX = 75.0f;
    static constexpr float StationY = -219.0f;
    static constexpr int RewardMoney = 2816;
    static constexpr int RewardStorage = 10000;

    ~WorldEventsBhv() override;

    // Publishes itself (also as the gates' keeper) and listens for the boss's defeat.
    void Start() override;
    void Update() override;

    // Sets the gates and the second station to match bossDefeated, silently (after generating or
    // loading a world).
    void ApplyBossState();
    // Keeps a new world's gates and applies the boss state to them.
    void TakeGates(GameObject* upperGate, GameObject* lowerGate) override;
    void OnBossDefeated(BossEventArgs* args);
    // One frame's reaction to the submarine at this depth (rows below the surface) while the boss
    // lives: the inner band closes the upper gate and brings the boss, beyond the outer band the
    // gate opens and the boss goes.
    void FollowSubmarine(float depth);

    // A new game: the boss unbeaten and the reward to be earned again. The world maker's next
    // generation applies the boss state (gates shut, no second station).
    void StartNewGame();
    // Sets whether this game has had its reward, with its lasting effects (the background colour,
    // the submarine's magnet) put on or taken back; nothing is given. For a load, whose file holds
    // no flag of its own.
    void SetRewardGiven(bool given);

    GameObject* CurrentBoss() const { return boss_.Get(); }
    GameObject* SecondStation() const { return secondStation_.Get(); }

    bool bossDefeated = false;
    bool rewardGiven = false;
    Handle<BossGateBhv> upperGate;
    Handle<BossGateBhv> lowerGate;

private:
    void SpawnSecondStation();
    void GiveReward();

    void ApplyRewardEffects();

    Handle<GameObject> boss_;
    bool bossRecorded_ = false; // a boss was spawned and has not been let go, whether or not it lives
    Handle<GameObject> secondStation_;
    // What the reward's lasting effects replaced, put back when a game without the reward follows.
    Color colourBeforeReward_{0, 0, 0, 255};
    float magnetRadiusBeforeReward_ = 0.0f;
    float magnetForceBeforeReward_ = 0.0f;
};
