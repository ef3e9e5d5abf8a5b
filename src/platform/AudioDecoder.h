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
    // What a sound file may weigh and hold: the largest shipped file, a song, is 1.2 MB and under two
    // minutes; the largest effect 150 KB. Ten minutes at 48 kHz decode to at most 110 MB.
    static constexpr std::uintmax_t MaxSoundFileBytes = 16u << 20;
    static constexpr std::int64_t MaxSoundFrames = 48000ll * 60 * 10;

    // Returns nothing when the file is not a regular one, is larger than MaxSoundFileBytes or longer
    // than MaxSoundFrames, cannot be opened or decoded, or has more than two channels;
    // `error` (if given) then receives a one-line reason.
    static std::optional<DecodedAudio> Decode(const std::string& path, std::string* error = nullptr);
};
