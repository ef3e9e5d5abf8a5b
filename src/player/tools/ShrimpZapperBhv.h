#pragma once

#include <vector>

#include "core/Behavior.h"
#include "core/CoCommand.h"
#include "core/Vector2.h"

class B2FixtureComponent;

// Zaps the first shrimp within reach of the submarine every interval, with a flickering bolt. Needs
// no input: it works whenever its item updates, selected or not.
class ShrimpZapperBhv : public Behavior {
public:
    static constexpr const char* ClassName = "ShrimpZapperBhv";

    ShrimpZapperBhv();

    void Start() override;

    // Zaps the first shrimp in reach; returns whether there was one.
    bool Zap();

    float ZapInterval = 1.0f;
    float ZapRadius = 5.0f;
    int Damage = 8;
    Vector2 Target;

private:
    CoCommand ZapStep(int step);
    CoCommand BoltStep(int step);

    std::vector<B2FixtureComponent*> hits_;
};
