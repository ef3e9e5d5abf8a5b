#include "platform/AudioSystem.h"

#include "platform/AudioSound.h"

#include "AudioTestFiles.h"

#include <gtest/gtest.h>

namespace {

constexpr float Frame = 1.0f / 60.0f;

// Frames until the channel stops playing, at most `limit`.
int framesUntilEnd(AudioSystem& system, const AudioChannel& channel, int limit = 1000) {
    int frames = 0;
    while (channel.IsPlaying() && frames < limit) {
        system.Update(Frame);
        frames++;
    }
    return frames;
}

class SilentDevice : public testing::Test {
protected:
    void SetUp() override {
        WriteWav(folder / "one.wav", 1.0);
        WriteWav(folder / "half.wav", 0.5, 44100, 2);
        one = system.CreateSound((folder / "one.wav").string());
        half = system.CreateSound((folder / "half.wav").string());
        ASSERT_TRUE(one && half);
    }

    TestFolder folder;
    AudioSystem system{AudioSystem::Device::Silent};
    AudioSound* one = nullptr;
    AudioSound* half = nullptr;
};

TEST_F(SilentDevice, IsSilentAndSoundsKnowTheirLength) {
    EXPECT_TRUE(system.IsSilent());
    EXPECT_DOUBLE_EQ(one->LengthSeconds(), 1.0);
    EXPECT_FLOAT_EQ(one->DefaultFrequency(), 22050.0f);
    EXPECT_EQ(half->Channels(), 2);
}

TEST_F(SilentDevice, ASoundPlaysForItsLengthInFrameTime) {
    AudioChannel channel = system.PlaySound(*one, false);
    EXPECT_TRUE(channel.IsPlaying());
    EXPECT_EQ(framesUntilEnd(system, channel), 60);
    EXPECT_EQ(system.BusyChannelCount(), 0);
}

TEST_F(SilentDevice, DoubleFrequencyHalvesTheTime) {
    AudioChannel channel = system.PlaySound(*one, true);
    channel.SetFrequency(one->DefaultFrequency() * 2.0f);
    EXPECT_FLOAT_EQ(channel.GetFrequency(), 44100.0f);
    channel.SetPaused(false);
    EXPECT_EQ(framesUntilEnd(system, channel), 30);
}

TEST_F(SilentDevice, APausedStartCountsAsPlayingButDoesNotAdvance) {
    AudioChannel channel = system.PlaySound(*half, true);
    for (int i = 0; i < 100; i++) {
        system.Update(Frame);
    }
    EXPECT_TRUE(channel.IsPlaying());
    channel.SetPaused(false);
    EXPECT_EQ(framesUntilEnd(system, channel), 30);
}

TEST_F(SilentDevice, EndlessLoopRunsUntilLoopCountZeroThenFinishesThePass) {
    AudioChannel channel = system.PlaySound(*one, true);
    channel.SetLoopCount(-1);
    channel.SetPaused(false);
    for (int i = 0; i < 150; i++) { // two and a half passes
        system.Update(Frame);
    }
    EXPECT_TRUE(channel.IsPlaying());
    channel.SetLoopCount(0);
    EXPECT_EQ(framesUntilEnd(system, channel), 30);
}

TEST_F(SilentDevice, StopEndsAtOnceAndTheHandleGoesStale) {
    AudioChannel channel = system.PlaySound(*one, false);
    channel.Stop();
    EXPECT_FALSE(channel.IsPlaying());
    EXPECT_EQ(system.BusyChannelCount(), 0);
    // A later play may reuse the channel; the old handle must not reach it.
    AudioChannel next = system.PlaySound(*one, false);
    channel.Stop();
    channel.SetFrequency(1.0f);
    EXPECT_TRUE(next.IsPlaying());
    EXPECT_FLOAT_EQ(next.GetFrequency(), 22050.0f);
    EXPECT_FALSE(AudioChannel().IsPlaying());
}

TEST_F(SilentDevice, AFullPoolTakesTheOldestChannel) {
    std::vector<AudioChannel> channels;
    for (int i = 0; i < AudioSystem::ChannelCount; i++) {
        channels.push_back(system.PlaySound(*one, false));
    }
    EXPECT_EQ(system.BusyChannelCount(), AudioSystem::ChannelCount);
    AudioChannel extra = system.PlaySound(*half, false);
    EXPECT_TRUE(extra.IsPlaying());
    EXPECT_FALSE(channels.front().IsPlaying());
    EXPECT_TRUE(channels[1].IsPlaying());
    EXPECT_EQ(system.BusyChannelCount(), AudioSystem::ChannelCount);
}

TEST_F(SilentDevice, AFullPoolSparesLoopingChannels) {
    AudioChannel looping = system.PlaySound(*one, false);
    looping.SetLoopCount(-1);
    std::vector<AudioChannel> channels;
    for (int i = 1; i < AudioSystem::ChannelCount; i++) {
        channels.push_back(system.PlaySound(*one, false));
    }
    system.PlaySound(*half, false);
    EXPECT_TRUE(looping.IsPlaying());
    EXPECT_FALSE(channels.front().IsPlaying());
}

TEST(ChannelHandles, OutlivingTheirSystemIsHarmless) {
    TestFolder folder;
    WriteWav(folder / "one.wav", 1.0);
    AudioChannel channel;
    {
        AudioSystem system(AudioSystem::Device::Silent);
        channel = system.PlaySound(*system.CreateSound((folder / "one.wav").string()), false);
        EXPECT_TRUE(channel.IsPlaying());
    }
    // A new system may reuse the old one's memory; the old handle must still be stale.
    AudioSystem next(AudioSystem::Device::Silent);
    AudioChannel fresh = next.PlaySound(*next.CreateSound((folder / "one.wav").string()), false);
    EXPECT_TRUE(bool(channel));
    EXPECT_FALSE(channel.IsPlaying());
    channel.Stop();
    channel.SetLoopCount(-1);
    EXPECT_EQ(channel.GetFrequency(), 0.0f);
    EXPECT_TRUE(fresh.IsPlaying());
}

TEST_F(SilentDevice, ReleasingASoundStopsItsChannels) {
    AudioChannel channel = system.PlaySound(*one, false);
    AudioChannel other = system.PlaySound(*half, false);
    system.ReleaseSound(one);
    EXPECT_FALSE(channel.IsPlaying());
    EXPECT_TRUE(other.IsPlaying());
}

TEST(DefaultDevice, OpensOrFallsBackWithoutFailing) {
    TestFolder folder;
    WriteWav(folder / "short.wav", 0.05);
    AudioSystem system;
    AudioSound* sound = system.CreateSound((folder / "short.wav").string());
    ASSERT_TRUE(sound);
    AudioChannel channel = system.PlaySound(*sound, false);
    EXPECT_TRUE(channel.IsPlaying());
    system.ReleaseSound(sound);
    EXPECT_FALSE(channel.IsPlaying());
}

} // namespace
