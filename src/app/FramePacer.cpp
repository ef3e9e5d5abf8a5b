#include "app/FramePacer.h"

#include <algorithm>

#include "platform/Clock.h"

FramePacer::FramePacer(Clock& clock, int32_t framesPerSecond)
    : clock_(clock), frequency_(clock.Frequency()),
      timerPeriod_(std::max<uint32_t>(1, clock.TimerPeriodMs())),
      ticksPerFrame_(frequency_ / static_cast<uint64_t>(framesPerSecond)),
      nextFrameTick_(clock.Now() + ticksPerFrame_) {}

void FramePacer::WaitUntilDue() {
    for (;;) {
        const uint64_t now = clock_.Now();
        if (now >= nextFrameTick_) {
            return;
        }
        const uint64_t leftMs = (nextFrameTick_ - now) * 1000 / frequency_;
        // Less than one timer period left: Sleep(0) yields, and the loop polls the counter.
        clock_.SleepMs(timerPeriod_ * static_cast<uint32_t>(leftMs / timerPeriod_));
    }
}

float FramePacer::BeginFrame(uint64_t now, int32_t framesPerSecond, int32_t maxCatchUpFrames) {
    if (now < nextFrameTick_) {
        return 0.0f;
    }
    lastLateness_ = now - nextFrameTick_;
    float delta = 0.0f;
    int k = 0;
    do {
        delta += 1.0f / static_cast<float>(framesPerSecond);
        nextFrameTick_ += ticksPerFrame_;
        ++k;
    } while (now >= nextFrameTick_ && k != maxCatchUpFrames + 1);
    while (now >= nextFrameTick_) {
        nextFrameTick_ += ticksPerFrame_; // the backlog beyond the catch-up limit is dropped
    }
    return delta;
}
