#pragma once

#include <cstdint>

// The high-resolution counter and sleep the frame loop paces itself with. The loop takes it by
// reference so tests can drive time by hand.
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint64_t Now() = 0;       // counter ticks
    virtual uint64_t Frequency() = 0; // ticks per second
    virtual void SleepMs(uint32_t milliseconds) = 0;
    // The sleep granularity in milliseconds (at least 1).
    virtual uint32_t TimerPeriodMs() { return 1; }
};

// CPU time the calling thread has used, in nanoseconds: what a frame's own work costs, whatever
// else the machine runs.
uint64_t ThreadCpuNanoseconds();

// The real clock: the performance counter and the system sleep.
class SystemClock final : public Clock {
public:
    uint64_t Now() override;
    uint64_t Frequency() override;
    void SleepMs(uint32_t milliseconds) override;
};
