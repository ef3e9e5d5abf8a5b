#include "platform/MusicStream.h"

#include "platform/AudioSystem.h"
#include "platform/AudioSystemState.h"

#include <AL/al.h>
#include <AL/alext.h>
#include <sndfile.h>

#include <algorithm>
#include <array>
#include <vector>

struct MusicStream::State {
    std::shared_ptr<AudioSystemState> audio;
    SNDFILE* file = nullptr;
    int channels = 0;
    int sampleRate = 0;
    std::int64_t frames = 0;
    std::int64_t loopStart = 0;
    std::int64_t loopEnd = 0;
    std::int64_t position = 0; // next frame to decode
    ALuint source = 0;
    std::array<ALuint, ChunkCount> buffers{};
    std::vector<std::int16_t> chunk;
    bool playing = false;

    ~State() {
        if (source) {
            audio->makeCurrent();
            alSourceStop(source);
            alSourcei(source, AL_BUFFER, 0);
            alDeleteSources(1, &source);
            alDeleteBuffers(ChunkCount, buffers.data());
        }
        if (file) {
            sf_close(file);
        }
    }

    // Decodes the next chunk, wrapping from the loop end to the loop start within it, and hands it to
    // `buffer`. False when the file gives nothing more (a read error): the queue then runs out.
    bool Fill(ALuint buffer) {
        std::int64_t filled = 0;
        while (filled < ChunkFrames) {
            if (position >= loopEnd) {
                if (sf_seek(file, loopStart, SEEK_SET) < 0) {
                    break;
                }
                position = loopStart;
            }
            const std::int64_t want = std::min<std::int64_t>(ChunkFrames - filled, loopEnd - position);
            const sf_count_t got = sf_readf_short(file, chunk.data() + filled * channels, want);
            if (got <= 0) {
                break;
            }
            filled += got;
            position += got;
        }
        if (filled == 0) {
            return false;
        }
        alBufferData(
            buffer, channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16, chunk.data(),
            static_cast<ALsizei>(filled * channels * static_cast<std::int64_t>(sizeof(std::int16_t))),
            sampleRate);
        alSourceQueueBuffers(source, 1, &buffer);
        return true;
    }
};

std::unique_ptr<MusicStream> MusicStream::Open(AudioSystem& system, const std::string& path,
                                               std::int64_t loopStart, std::int64_t loopEnd,
                                               std::string* error) {
    auto fail = [error](const std::string& reason) -> std::unique_ptr<MusicStream> {
        if (error) {
            *error = reason;
        }
        return nullptr;
    };
    auto state = std::make_unique<State>();
    state->audio = system.state_;
    SF_INFO info{};
    state->file = sf_open(path.c_str(), SFM_READ, &info);
    if (!state->file) {
        return fail(sf_strerror(nullptr));
    }
    if (info.channels < 1 || info.channels > 2 || info.samplerate <= 0 || info.frames <= 0) {
        return fail("unsupported layout (" + std::to_string(info.channels) + " channels, " +
                    std::to_string(info.samplerate) + " Hz, " + std::to_string(info.frames) + " frames)");
    }
    // Float files come in unscaled through the short reader otherwise.
    sf_command(state->file, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
    state->channels = info.channels;
    state->sampleRate = info.samplerate;
    state->frames = info.frames;
    const bool loopGiven = loopStart >= 0 && loopEnd > loopStart && loopStart < info.frames;
    state->loopStart = loopGiven ? loopStart : 0;
    state->loopEnd = loopGiven ? std::min<std::int64_t>(loopEnd, info.frames) : info.frames;
    state->chunk.resize(static_cast<std::size_t>(ChunkFrames) * static_cast<std::size_t>(info.channels));

    if (!state->audio->silent && state->audio->context) {
        state->audio->makeCurrent();
        alGetError();
        alGenSources(1, &state->source);
        if (alGetError() != AL_NO_ERROR) {
            state->source = 0;
            return fail("the audio device has no source left for music");
        }
        alGenBuffers(ChunkCount, state->buffers.data());
        // Music is not placed in space: its channels go straight to the speakers, unfiltered.
        alSourcei(state->source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(state->source, AL_POSITION, 0.0f, 0.0f, 0.0f);
        if (alIsExtensionPresent("AL_SOFT_direct_channels")) {
            alSourcei(state->source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
        }
    }
    return std::unique_ptr<MusicStream>(new MusicStream(std::move(state)));
}

MusicStream::MusicStream(std::unique_ptr<State> state) : state_(std::move(state)) {}

MusicStream::~MusicStream() = default;

void MusicStream::SetGain(float gain) {
    if (state_->source) {
        state_->audio->makeCurrent();
        alSourcef(state_->source, AL_GAIN, std::clamp(gain, 0.0f, 1.0f));
    }
}

void MusicStream::Play() {
    State& s = *state_;
    if (!s.source || s.playing) {
        return;
    }
    s.audio->makeCurrent();
    for (ALuint buffer : s.buffers) {
        if (!s.Fill(buffer)) {
            break;
        }
    }
    alSourcePlay(s.source);
    s.playing = true;
}

void MusicStream::Update() {
    State& s = *state_;
    if (!s.source || !s.playing) {
        return;
    }
    s.audio->makeCurrent();
    ALint processed = 0;
    alGetSourcei(s.source, AL_BUFFERS_PROCESSED, &processed);
    for (ALint i = 0; i < processed; ++i) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(s.source, 1, &buffer);
        s.Fill(buffer);
    }
    ALint sourceState = AL_PLAYING;
    alGetSourcei(s.source, AL_SOURCE_STATE, &sourceState);
    ALint queued = 0;
    alGetSourcei(s.source, AL_BUFFERS_QUEUED, &queued);
    if (sourceState != AL_PLAYING && queued > 0) {
        alSourcePlay(s.source); // ran dry during a long stall: carry on from the queue
    }
}

std::int64_t MusicStream::LoopStart() const {
    return state_->loopStart;
}
std::int64_t MusicStream::LoopEnd() const {
    return state_->loopEnd;
}
