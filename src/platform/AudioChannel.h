#pragma once

#include <cstdint>
#include <memory>

struct AudioSystemState;

// A handle on one of the device's channels while it plays one sound. Once the channel finishes, is
// stopped or is taken for another sound, or the `AudioSystem` is gone, the handle goes stale: it
// reports not playing and every other call does nothing. A default-constructed handle is "no
// channel".
class AudioChannel {
public:
    AudioChannel() = default;
    AudioChannel(std::weak_ptr<AudioSystemState> system, int index, std::uint32_t generation)
        : system_(std::move(system)), index_(index), generation_(generation) {}

    // True when a channel was handed out, whether or not it still plays.
    explicit operator bool() const { return index_ >= 0; }

    // True from the start (paused or not) until the sound ends, is stopped or the handle goes stale.
    bool IsPlaying() const;
    void SetPaused(bool paused);
    // Playback frequency in Hz; the sound's default frequency plays it unchanged.
    void SetFrequency(float hz);
    // 0 for a stale handle.
    float GetFrequency() const;
    // 0 (silent) to 1 (full); values outside are clamped.
    void SetVolume(float volume);
    // -1 repeats endlessly; 0 lets the current pass play out and end. Other counts behave as -1.
    void SetLoopCount(int count);
    // Ends the sound at once.
    void Stop();

private:
    std::weak_ptr<AudioSystemState> system_;
    int index_ = -1;
    std::uint32_t generation_ = 0;
};
