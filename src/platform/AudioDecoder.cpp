#include "platform/AudioDecoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>

std::optional<DecodedAudio> AudioDecoder::Decode(const std::string& path, std::string* error) {
    auto fail = [error](const std::string& reason) -> std::optional<DecodedAudio> {
        if (error) {
            *error = reason;
        }
        return std::nullopt;
    };

    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        return fail(sf_strerror(nullptr));
    }
    if (info.channels < 1 || info.channels > 2 || info.samplerate <= 0 || info.frames < 0) {
        sf_close(file);
        return fail("unsupported layout (" + std::to_string(info.channels) + " channels, " +
                    std::to_string(info.samplerate) + " Hz)");
    }
    DecodedAudio audio;
    audio.Channels = info.channels;
    audio.SampleRate = info.samplerate;
    audio.Samples.resize(static_cast<std::size_t>(info.frames) * info.channels);
    // Trust the frames actually read over the header: truncated files are common.
    const int subtype = info.format & SF_FORMAT_SUBMASK;
    if (info.frames == 0) {
        audio.Frames = 0;
    } else if (subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE) {
        // libsndfile hands float data to a short reader unscaled; scale it ourselves and clip what
        // lies beyond full scale instead of letting it wrap around.
        std::vector<float> samples(audio.Samples.size());
        audio.Frames = sf_readf_float(file, samples.data(), info.frames);
        for (std::size_t i = 0; i < samples.size(); i++) {
            audio.Samples[i] = std::int16_t(std::lround(std::clamp(samples[i], -1.0f, 1.0f) * 32767.0f));
        }
    } else {
        audio.Frames = sf_readf_short(file, audio.Samples.data(), info.frames);
    }
    audio.Samples.resize(static_cast<std::size_t>(audio.Frames) * info.channels);
    sf_close(file);
    return audio;
}
