#include "platform/AudioDecoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "platform/RegularFile.h"

namespace {

// Frames decoded per read; also the most a damaged file can make the decoder allocate ahead.
constexpr sf_count_t BlockFrames = 65536;
// The most frames a file can hold per byte of its size. Silence in FLAC or Vorbis packs a few
// hundred frames into a byte; this leaves room for any real file.
constexpr std::int64_t MaxFramesPerByte = 8192;

} // namespace

std::optional<DecodedAudio> AudioDecoder::Decode(const std::string& path, std::string* error) {
    auto fail = [error](const std::string& reason) -> std::optional<DecodedAudio> {
        if (error) {
            *error = reason;
        }
        return std::nullopt;
    };

    // Checked before the decoder opens it: a named pipe would block the open, a device never end.
    std::error_code statusError;
    if (!std::filesystem::is_regular_file(path, statusError)) {
        return fail(std::filesystem::exists(path, statusError) ? "not a regular file" : "no such file");
    }
    if (const std::uintmax_t bytes = std::filesystem::file_size(path, statusError);
        !statusError && bytes > MaxSoundFileBytes) {
        return fail(TooLargeFile(bytes, MaxSoundFileBytes));
    }
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
    // A damaged header can claim any frame count (up to SF_COUNT_MAX): no codec packs more than a
    // few thousand frames into one byte, so a count beyond that is refused before anything is
    // allocated for it.
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    const std::int64_t fileBytes = sizeError ? 0 : static_cast<std::int64_t>(size);
    if (info.frames / MaxFramesPerByte > fileBytes) {
        sf_close(file);
        return fail("the header claims " + std::to_string(info.frames) + " frames in a file of " +
                    std::to_string(fileBytes) + " bytes");
    }
    if (info.frames > MaxSoundFrames) {
        sf_close(file);
        return fail("too long: " + std::to_string(info.frames) + " frames, over the " +
                    std::to_string(MaxSoundFrames) + " allowed");
    }
    DecodedAudio audio;
    audio.Channels = info.channels;
    audio.SampleRate = info.samplerate;
    // Read in blocks so that memory follows the frames that really decode, not the header's count.
    const int subtype = info.format & SF_FORMAT_SUBMASK;
    const bool floating = subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE;
    std::vector<float> block(floating ? static_cast<std::size_t>(BlockFrames) * info.channels : 0);
    while (audio.Frames < info.frames) {
        const sf_count_t wanted = std::min<sf_count_t>(BlockFrames, info.frames - audio.Frames);
        const std::size_t at = audio.Samples.size();
        audio.Samples.resize(at + static_cast<std::size_t>(wanted) * info.channels);
        sf_count_t got = 0;
        if (floating) {
            // libsndfile hands float data to a short reader unscaled; scale it ourselves and clip
            // what lies beyond full scale instead of letting it wrap around.
            got = sf_readf_float(file, block.data(), wanted);
            for (std::size_t i = 0; i < static_cast<std::size_t>(got) * info.channels; i++) {
                const float sample = std::isnan(block[i]) ? 0.0f : std::clamp(block[i], -1.0f, 1.0f);
                audio.Samples[at + i] = std::int16_t(std::lround(sample * 32767.0f));
            }
        } else {
            got = sf_readf_short(file, audio.Samples.data() + at, wanted);
        }
        // Trust the frames actually read over the header: truncated files are common.
        audio.Samples.resize(at + static_cast<std::size_t>(std::max<sf_count_t>(got, 0)) * info.channels);
        if (got <= 0) {
            break;
        }
        audio.Frames += got;
    }
    sf_close(file);
    return audio;
}
