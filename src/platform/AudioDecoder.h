#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A sound file decoded to interleaved signed 16-bit samples.
struct DecodedAudio {
    int Channels = 0;   // 1 or 2
    int SampleRate = 0; // frames per second
    std::int64_t Frames = 0;
    std::vector<std::int16_t> Samples; // Frames * Channels values

    double LengthSeconds() const { return SampleRate > 0 ? double(Frames) / SampleRate : 0.0; }
};

// Reads any format libsndfile knows (WAV in its header variants, FLAC, Ogg Vorbis, ...).
class AudioDecoder {
public:
    // Returns nothing when the file cannot be opened or decoded, or has more than two channels;
    // `error` (if given) then receives a one-line reason.
    static std::optional<DecodedAudio> Decode(const std::string& path, std::string* error = nullptr);
};
