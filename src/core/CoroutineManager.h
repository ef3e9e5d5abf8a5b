#pragma once

class Behavior;

// Advances coroutines; called by the update pass right after each behaviour's Update.
class CoroutineManager {
public:
    // Visits the behaviour's running coroutines in id order, counts down their waits by one frame
    // (FrameDelta seconds and one frame) and resumes those with nothing left to wait.
    void UpdateCoroutines(Behavior& behavior);
};
