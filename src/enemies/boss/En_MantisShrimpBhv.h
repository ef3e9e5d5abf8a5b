#pragma once

#include "core/Behavior.h"
#include "core/Vector2.h"
#include "enemies/damage/EnemyDamageInfo.h"

// The boss: seeks the submarine, then winds up and fires a fan of five balls. Only while charged
// (wind-up, volley and the pause after it) can it be hurt, and only on its first fixture; every
// other hit is deflected. Its death is the boss's defeat.
class En_MantisShrimpBhv : public Behavior {
public:
    static constexpr const char* ClassName = "En_MantisShrimpBhv";
    static constexpr int VolleySize = 5;

    En_MantisShrimpBhv();

    // Binds OnDamaged into the enemy's handler and starts the seek, wind-up and fire cycle.
    void Start() override;
    // While seeking: pulls towards the submarine and turns to face its motion.
    void Update() override;

    void OnDamaged(EnemyDamageInfo& info);
    // Spawns the volley: the five directions (given for a mantis facing left) mirrored when it
    // faces right, from the offset mirrored likewise.
    void Fire();

    bool IsSeeking() const { return isSeeking_; }
    bool IsCharged() const { return isCharged_; }
    bool IsFacingRight() const { return isFacingRight_; }

    float MovementSpeed = 20.0f;
    float SeekTime = 4.0f;
    float WindUpTime = 3.0f;
    float PostShootTime = 1.0f;
    Vector2 Projectiles[VolleySize];
    Vector2 ProjectileOffset;
    float ProjectileVelocity = 10.0f;

private:
    CoCommand MainStep(int step);
    CoCommand HurtTintStep(int step);
    void Die();

    bool isSeeking_ = true;
    bool isCharged_ = false;
    bool isFacingRight_ = false;
    bool dead_ = false;
};
