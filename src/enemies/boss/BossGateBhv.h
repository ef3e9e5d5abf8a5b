#pragma once

#include "core/Behavior.h"

class B2FixtureComponent;

// One of the two gates of the boss chamber. Its second fixture is the barrier: solid while the
// gate is closed, a sensor while it is open. A cue sounds only when the gate actually changes, so
// presetting isOpen makes the next Open (or clearing it the next Close) silent.
class BossGateBhv : public Behavior {
public:
    static constexpr const char* ClassName = "BossGateBhv";

    // Starts closed, silently.
    void Start() override;

    void Open();
    void Close();

    bool isOpen = false;

private:
    void Show(bool open);
};
