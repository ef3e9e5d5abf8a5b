#pragma once

#include <string>
#include <vector>

#include "core/Behavior.h"
#include "core/CoCommand.h"
#include "core/Vector2.h"

class b2Contact;
class b2Fixture;
class B2FixtureComponent;
class GameObject;

// The player's submarine: turns the four movement actions into a force, rights itself, faces its
// direction of travel, keeps the world camera on itself, pulls pickups in with its magnet, times
// the rocket boost, collects what it touches and takes contact damage from creatures. Reached as
// WellKnown<SubBhv>; its owner is the current submarine object.
class SubBhv : public Behavior {
public:
    static constexpr const char* ClassName = "SubBhv";

    // World extent the camera stays within.
    static constexpr float WorldWidth = 150.0f;
    static constexpr float WorldDepth = 430.0f;
    static constexpr float FacingDeadBand = 3.0f;
    static constexpr float DamageWindow = 0.75f;

    SubBhv();
    ~SubBhv() override;

    // Respawns, replaces any other submarine and hooks the contact handlers of its first fixture.
    void Start() override;
    void HandleInput() override;
    void Update() override;

    // Starts the damage routine with this amount unless it runs already (then nothing happens).
    void takeDamage(int amount);
    // The same, naming what hurt it ("a Sea Urchin") and where that stood: the player is told, and
    // a wreck's cargo is dropped away from it.
    void takeDamage(int amount, const std::string& cause, Vector2 from);
    // Puts the submarine at its spawn point, at rest but for a small spin, upright.
    void respawn();
    // The spawn point: below the boss chamber once the second station stands, else near the surface.
    static Vector2 SpawnPoint();

    void onBeginContact(b2Contact* contact, b2Fixture* other);
    void onPreSolve(b2Contact* contact, b2Fixture* other);

    float MovementForce = 100.0f;
    // The most MovementForce (times SpeedMultiplier) that is applied, a hundred times the default.
    static constexpr float MaxMovementForce = 10000.0f;
    float RightingTorque = 1.0f;
    // The most the hull tilts either way (radians, about 23 degrees): at this angle the hull still
    // fits a two-tile gap, so a corner can turn it but not wedge it.
    static constexpr float MaxTilt = 0.4f;
    float MagnetRadius = 4.0f;
    float MagnetForce = 10.0f;

    // The hull's angle (radians, unwrapped) at the last update, and the largest tilt either side
    // since the last respawn; a run's report shows both.
    float Tilt = 0.0f;
    float PeakTilt = 0.0f;

    int PendingDamage = 0;
    // All the damage applied to this hull since it was built, deaths and repairs regardless; a run's
    // report shows it.
    int DamageTaken = 0;
    // What the last hit that landed came from, and where it stood; empty before the first.
    std::string LastHurtBy;
    Vector2 LastHurtFrom;
    bool HasHurtFrom = false;
    float BoostTimeLeft = 0.0f;
    float SpeedMultiplier = 1.0f;

private:
    CoCommand DamageStep(int step);
    CoCommand BlinkStep(int step);
    // Tells the player what hit the hull, or, when the hit was the last, what killed it.
    void TellHit() const;
    void FollowWithCamera(Vector2 position);
    void ApplyRightingTorque();
    void Face();
    void PullPickups(Vector2 position);
    void RunBoostTimer();

    std::vector<B2FixtureComponent*> magnetHits_; // kept between frames so the query allocates once
};

// The current submarine object, or null.
GameObject* Submarine();
