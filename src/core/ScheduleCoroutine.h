#pragma once

#include "core/Behavior.h"

// Sets a coroutine running from step 0 without running that step now: it first runs at the
// behaviour's next coroutine update. A running coroutine is left as it is. For routines started
// from a Start hook or from inside a physics step, where acting at once would come too early.
template <auto Step> void ScheduleCoroutine(Behavior& behavior) {
    Coroutine& co = behavior.GetCoroutine<Step>();
    if (co.Running) {
        return;
    }
    co.StepIndex = 0;
    co.WaitSeconds = 0.0f;
    co.WaitFrames = 0;
    co.Running = true;
}
