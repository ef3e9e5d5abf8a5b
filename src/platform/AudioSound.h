#pragma once

#include <cstdint>

// A decoded sound held by the audio device. Created and released only by `AudioSystem`; everyone
// else holds it by pointer.
class AudioSound {
public:
    AudioSound(unsigned buffer, int channels, int sampleRate, std::int64_t frames)
        : buffer_(buffer), channels_(channels), sampleRate_(sampleRate), frames_(frames) {}

    // The frequency the sound plays at unless a channel changes it, in Hz.
    float DefaultFrequency() const { return float(sampleRate_); }
    // Length of one pass at the default frequency, in seconds.
    double LengthSeconds() const { return sampleRate_ > 0 ? double(frames_) / sampleRate_ : 0.0; }
    int Channels() const { return channels_; }
    std::int64_t Frames() const { return frames_; }

    // The device's name for the sample data; 0 when the device holds no data (no device at all).
    unsigned Buffer() const { return buffer_; }

private:
    unsigned buffer_;
    int channels_;
    int sampleRate_;
    std::int64_t frames_;
};
