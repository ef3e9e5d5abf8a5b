#include "platform/AudioDecoder.h"

#include <sndfile.h>

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
    // Float files may hold values beyond +-1; clip them instead of letting them wrap around.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);

    DecodedAudio audio;
    audio.Channels = info.channels;
    audio.SampleRate = info.samplerate;
    audio.Samples.resize(static_cast<std::size_t>(info.frames) * info.channels);
    // Trust the frames actually read over the header: truncated files are common.
    audio.Frames = info.frames > 0 ? sf_readf_short(file, audio.Samples.data(), info.frames) : 0;
    audio.Samples.resize(static_cast<std::size_t>(audio.Frames) * info.channels);
    sf_close(file);
    return audio;
}
