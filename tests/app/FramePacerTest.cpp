#include <gtest/gtest.h>

#include "app/FramePacer.h"
#include "platform/Clock.h"

namespace {

// Time moves only when the test (or a sleep) moves it: one tick per microsecond.
class ManualClock final : public Clock {
public:
    uint64_t Now() override { return now; }
    uint64_t Frequency() override { return 1'000'000; }
    void SleepMs(uint32_t ms) override {
        sleeps.push_back(ms);
        now += ms * 1000ull + 1;
    }
    uint64_t now = 5'000'000;
    std::vector<uint32_t> sleeps;
};

constexpr int Fps = 60;
constexpr int MaxCatchUp = 5;

class FramePacerTest : public ::testing::Test {
protected:
    // Moves the clock to `periods` frame periods after the currently due tick and begins a frame.
    float FrameLateBy(double periods) {
        clock.now = pacer.NextFrameTick() + static_cast<uint64_t>(periods * pacer.TicksPerFrame());
        return pacer.BeginFrame(clock.now, Fps, MaxCatchUp);
    }

    ManualClock clock;
    FramePacer pacer{clock, Fps};
};

TEST_F(FramePacerTest, FirstFrameIsDueOnePeriodAfterStartUpWithOnePeriodDelta) {
    const uint64_t start = clock.now;
    EXPECT_EQ(pacer.BeginFrame(start, Fps, MaxCatchUp), 0.0f);
    pacer.WaitUntilDue();
    EXPECT_GE(clock.now, start + pacer.TicksPerFrame());
    EXPECT_FLOAT_EQ(pacer.BeginFrame(clock.now, Fps, MaxCatchUp), 1.0f / 60.0f);
}

TEST_F(FramePacerTest, HalfAPeriodLateStillCountsAsOnePeriod) {
    EXPECT_FLOAT_EQ(FrameLateBy(0.5), 1.0f / 60.0f);
}

TEST_F(FramePacerTest, TwoAndAHalfPeriodsLateGivesThreePeriodsAndTheNextFrameIsDueHalfAPeriodLater) {
    EXPECT_FLOAT_EQ(FrameLateBy(2.5), 3.0f / 60.0f);
    const uint64_t left = pacer.NextFrameTick() - clock.now;
    EXPECT_NEAR(static_cast<double>(left), pacer.TicksPerFrame() / 2.0, 2.0);
}

TEST_F(FramePacerTest, LongStallIsCappedAtSixPeriodsAndTheBacklogIsDropped) {
    EXPECT_FLOAT_EQ(FrameLateBy(10.0), 6.0f / 60.0f);
    EXPECT_GT(pacer.NextFrameTick(), clock.now);
    EXPECT_LE(pacer.NextFrameTick() - clock.now, pacer.TicksPerFrame());
    // The next frame is an ordinary one again.
    EXPECT_FLOAT_EQ(FrameLateBy(0.0), 1.0f / 60.0f);
}

TEST_F(FramePacerTest, WaitSleepsWholeTimerPeriodsThenPollsTheLastFraction) {
    pacer.WaitUntilDue();
    ASSERT_FALSE(clock.sleeps.empty());
    EXPECT_EQ(clock.sleeps.front(), 16u); // 16.66 ms left: sleep 16, then poll
    EXPECT_EQ(clock.sleeps.back(), 0u);
    EXPECT_GE(clock.now, pacer.NextFrameTick());
}

} // namespace
