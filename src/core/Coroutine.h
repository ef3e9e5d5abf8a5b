#pragma once

#include "core/CoCommand.h"

class Behavior;

// One coroutine of one behaviour: a step function bound to that behaviour, and where it stands.
// Created on first use, never removed, only stopped.
class Coroutine {
public:
    using StepThunk = CoCommand (*)(Behavior& self, int step);

    Coroutine(Behavior& owner, StepThunk step) : owner_(owner), step_(step) {}
    virtual ~Coroutine() = default;

    CoCommand CallStep(int step) { return step_(owner_, step); }

    bool Running = false;
    int StepIndex = 0;       // the step to run next
    float WaitSeconds = 0.f; // seconds still to wait; may go slightly negative
    int WaitFrames = 0;      // frames still to wait

private:
    Behavior& owner_;
    StepThunk step_;
};

// Runs the coroutine's next step and follows the command chain (GoTo, Restart) within this call.
void ResumeCoroutine(Coroutine& coroutine);

// Process-wide coroutine ids: each step function gets its own on first use, starting at 1.
int NextCoroutineId();
