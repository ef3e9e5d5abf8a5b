#pragma once

#include "core/Behavior.h"
#include "core/CoCommand.h"

class b2Contact;
class b2Fixture;

// A dropped bomb or nuke: spins, blinks and beeps slowly, then quickly, then explodes through its
// ExplosiveBhv and removes itself. It passes through pickups.
class LiveBombBhv : public Behavior {
public:
    static constexpr const char* ClassName = "LiveBombBhv";

    LiveBombBhv();

    void Start() override;

    float SlowBlinkTime = 2.0f;
    float FastBlinkTime = 1.0f;
    float RandomSpin = 1.0f;
    bool IsNuke = false;

private:
    CoCommand MainStep(int step);
    CoCommand SlowBlinkStep(int step);
    CoCommand FastBlinkStep(int step);
    CoCommand Blink(int step, float redTime, float whiteTime);
    void onPreSolve(b2Contact* contact, b2Fixture* other);
};
