#pragma once

#include <cstdint>

class Clock;

// Fixed-rate pacing with a quantised delta. Frames are due every TicksPerFrame counter ticks; a late
// frame's delta covers every period it is late for, up to MaxCatchUpFrames + 1, and any backlog
// beyond that is dropped rather than simulated. Exactly one update and one draw happen per frame.
class FramePacer {
public:
    // Fixes the tick interval from framesPerSecond; the first frame is due one period from now.
    FramePacer(Clock& clock, int32_t framesPerSecond);

    // Sleeps whole timer periods while the next frame is more than a period away, then polls the
    // counter for the last fraction. Returns when a frame is due.
    void WaitUntilDue();
    // If a frame is due at `now`, advances the schedule and returns its delta in seconds (k / fps,
    // 1 <= k <= maxCatchUpFrames + 1); otherwise returns 0 and changes nothing.
    float BeginFrame(uint64_t now, int32_t framesPerSecond, int32_t maxCatchUpFrames);

    uint64_t TicksPerFrame() const { return ticksPerFrame_; }
    uint64_t NextFrameTick() const { return nextFrameTick_; }
    // Counter ticks by which the last frame started after it was due.
    uint64_t LastWakeLateness() const { return lastLateness_; }

private:
    Clock& clock_;
    uint64_t frequency_;
    uint32_t timerPeriod_;
    uint64_t ticksPerFrame_;
    uint64_t nextFrameTick_;
    uint64_t lastLateness_ = 0;
};
