#pragma once

#include "audio/CueBhvBase.h"

// A cue that repeats its sound until stopped (stopLoopedCue) or ended (endLoopedCue: the current pass
// plays out); the cue object then removes itself. Callers keep a pointer to it as the sound's handle.
class CueLoopedBhv : public CueBhvBase {
public:
    static constexpr const char* ClassName = "CueLoopedBhv";

    // Stops the sound if it still plays.
    ~CueLoopedBhv() override;

    void Play() override;
    // Once started, removes the cue object (at the end of the frame) when its channel no longer plays.
    void Update() override;

    bool IsStarted() const { return started_; }

private:
    bool started_ = false;
};
