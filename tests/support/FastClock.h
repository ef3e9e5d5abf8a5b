#pragma once

#include <cstdint>

#include "platform/Clock.h"

// Time that passes only by sleeping, so the pacer never waits for real and a run of many frames
// takes no wall-clock time.
class FastClock final : public Clock {
public:
    uint64_t Now() override { return now_ += 1; }
    uint64_t Frequency() override { return 1'000'000; }
    void SleepMs(uint32_t ms) override { now_ += ms * 1000ull; }

private:
    uint64_t now_ = 1'000'000;
};
