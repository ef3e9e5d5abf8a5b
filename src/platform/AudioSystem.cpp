#include "platform/AudioSystem.h"

#include "platform/AudioDecoder.h"
#include "platform/AudioSound.h"
#include "platform/AudioSystemState.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

ALCcontext* currentContext = nullptr;

// Probing sound hardware on a machine without any makes the sound stack print a page of errors;
// the game carries on in silence, so none of that reaches the player's terminal.
class QuietStderr {
public:
    QuietStderr() {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (saved_ >= 0 && null >= 0) {
            dup2(null, STDERR_FILENO);
        }
        if (null >= 0) {
            close(null);
        }
    }
    ~QuietStderr() {
        if (saved_ >= 0) {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_ = -1;
};

bool openDefault(AudioSystemState& state) {
    {
        QuietStderr quiet;
        state.device = alcOpenDevice(nullptr);
    }
    if (!state.device) {
        return false;
    }
    state.context = alcCreateContext(state.device, nullptr);
    if (!state.context) {
        alcCloseDevice(state.device);
        state.device = nullptr;
        return false;
    }
    return true;
}

// A device that renders only when asked (AudioSystem::Render), with no output behind it. A silent
// device opens none at all: the first call into the library would start its sound-server backends,
// which create files in the player's folders and may print, all for nothing a headless run hears.
void openLoopback(AudioSystemState& state) {
    if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) {
        return;
    }
    auto openLoopbackDevice = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
        alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    state.device = openLoopbackDevice ? openLoopbackDevice(nullptr) : nullptr;
    if (!state.device) {
        return;
    }
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                                 ALC_STEREO_SOFT,
                                 ALC_FORMAT_TYPE_SOFT,
                                 ALC_SHORT_SOFT,
                                 ALC_FREQUENCY,
                                 44100,
                                 0};
    state.context = alcCreateContext(state.device, attributes);
    if (!state.context) {
        alcCloseDevice(state.device);
        state.device = nullptr;
    }
}

void deleteSources(AudioSystemState& state) {
    for (AudioSlot& slot : state.slots) {
        if (slot.source) {
            alSourceStop(slot.source);
            alSourcei(slot.source, AL_BUFFER, 0);
            alDeleteSources(1, &slot.source);
            slot.source = 0;
        }
    }
}

void createSources(AudioSystemState& state) {
    state.makeCurrent();
    for (AudioSlot& slot : state.slots) {
        alGetError();
        alGenSources(1, &slot.source);
        if (alGetError() != AL_NO_ERROR) {
            slot.source = 0;
            continue;
        }
        // Sounds are not placed in space: every source plays centred at full width.
        alSourcei(slot.source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(slot.source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    }
    // A device that gives fewer sources than channels cannot honour the pool; time it ourselves.
    if (std::any_of(state.slots.begin(), state.slots.end(),
                    [](const AudioSlot& s) { return s.source == 0; })) {
        deleteSources(state);
        state.silent = true;
    }
}

} // namespace

void AudioSystemState::makeCurrent() {
    if (context && currentContext != context) {
        alcMakeContextCurrent(context);
        currentContext = context;
    }
}

AudioSlot* AudioSystemState::find(int index, std::uint32_t generation) {
    if (index < 0 || index >= int(slots.size())) {
        return nullptr;
    }
    AudioSlot& slot = slots[index];
    return slot.sound && slot.generation == generation ? &slot : nullptr;
}

bool AudioSystemState::deviceStopped(const AudioSlot& slot) const {
    ALint state = AL_STOPPED;
    alGetSourcei(slot.source, AL_SOURCE_STATE, &state);
    return state == AL_STOPPED || state == AL_INITIAL;
}

bool AudioSystemState::isPlaying(const AudioSlot& slot) const {
    if (silent || !slot.started) {
        return true; // the silent clock frees a channel the moment its sound ends
    }
    return !deviceStopped(slot);
}

void AudioSystemState::start(AudioSlot& slot) {
    slot.started = true;
    if (!silent) {
        alSourcePlay(slot.source);
    }
}

void AudioSystemState::release(AudioSlot& slot) {
    if (!silent) {
        alSourceStop(slot.source);
        alSourcei(slot.source, AL_BUFFER, 0);
    }
    slot.sound = nullptr;
}

AudioSystem::AudioSystem(Device device) : state_(std::make_shared<AudioSystemState>()) {
    if (device == Device::Default && openDefault(*state_)) {
        state_->silent = false;
    } else if (device != Device::Silent) {
        openLoopback(*state_);
        state_->silent = device != Device::Rendered || !state_->context;
        state_->rendered = !state_->silent;
    } else {
        state_->silent = true;
    }
    state_->slots.resize(ChannelCount);
    if (state_->context) {
        createSources(*state_);
    }
}

AudioSystem::~AudioSystem() {
    state_->makeCurrent();
    deleteSources(*state_);
    for (auto& sound : state_->sounds) {
        ALuint buffer = sound->Buffer();
        if (buffer) {
            alDeleteBuffers(1, &buffer);
        }
    }
    if (state_->context) {
        alcMakeContextCurrent(nullptr);
        currentContext = nullptr;
        alcDestroyContext(state_->context);
    }
    if (state_->device) {
        alcCloseDevice(state_->device);
    }
}

void AudioSystem::SetVolumes(float master, float effects) {
    state_->effectsVolume = std::clamp(effects, 0.0f, 1.0f);
    state_->masterVolume = std::clamp(master, 0.0f, 1.0f);
    if (state_->silent) {
        return;
    }
    state_->makeCurrent();
    state_->applyListenerGain();
    for (AudioSlot& slot : state_->slots) {
        if (slot.sound) {
            alSourcef(slot.source, AL_GAIN, slot.volume * state_->effectsVolume);
        }
    }
}

void AudioSystem::SetDuck(float level) {
    state_->duckLevel = std::clamp(level, 0.0f, 1.0f);
    if (state_->silent) {
        return;
    }
    state_->makeCurrent();
    state_->applyListenerGain();
}

float AudioSystem::DuckLevel() const {
    return state_->duckLevel;
}

float AudioSystem::ListenerGain() const {
    return state_->masterVolume * state_->duckLevel;
}

void AudioSystemState::applyListenerGain() {
    alListenerf(AL_GAIN, masterVolume * duckLevel);
}

bool AudioSystem::IsSilent() const {
    return state_->silent;
}

bool AudioSystem::Render(int16_t* out, int frames) {
    if (!state_->rendered || state_->silent || frames <= 0) {
        return false;
    }
    static const auto renderSamples =
        reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (!renderSamples) {
        return false;
    }
    state_->makeCurrent();
    renderSamples(state_->device, out, frames);
    return true;
}

AudioSound* AudioSystem::CreateSound(const std::string& path, std::string* error) {
    std::optional<DecodedAudio> audio = AudioDecoder::Decode(path, error);
    if (!audio) {
        return nullptr;
    }
    ALuint buffer = 0;
    if (state_->context) {
        state_->makeCurrent();
        alGetError();
        alGenBuffers(1, &buffer);
        const ALenum format = audio->Channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
        alBufferData(buffer, format, audio->Samples.data(),
                     ALsizei(audio->Samples.size() * sizeof(std::int16_t)), audio->SampleRate);
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(1, &buffer);
            if (error) {
                *error = "the audio device refused the sample data";
            }
            return nullptr;
        }
    }
    state_->sounds.push_back(
        std::make_unique<AudioSound>(buffer, audio->Channels, audio->SampleRate, audio->Frames));
    return state_->sounds.back().get();
}

void AudioSystem::ReleaseSound(AudioSound* sound) {
    if (!sound) {
        return;
    }
    state_->makeCurrent();
    for (AudioSlot& slot : state_->slots) {
        if (slot.sound == sound) {
            state_->release(slot);
        }
    }
    auto it = std::find_if(state_->sounds.begin(), state_->sounds.end(),
                           [sound](const auto& owned) { return owned.get() == sound; });
    if (it == state_->sounds.end()) {
        return;
    }
    ALuint buffer = sound->Buffer();
    if (buffer) {
        alDeleteBuffers(1, &buffer);
    }
    state_->sounds.erase(it);
}

AudioChannel AudioSystem::PlaySound(AudioSound& sound, bool paused) {
    state_->makeCurrent();
    auto& slots = state_->slots;
    auto free = std::find_if(slots.begin(), slots.end(), [](const AudioSlot& s) { return !s.sound; });
    if (free == slots.end()) {
        // Looping channels are held by callers as handles for later stopping; take them last.
        free = std::min_element(slots.begin(), slots.end(), [](const AudioSlot& a, const AudioSlot& b) {
            return std::pair(a.looping, a.startOrder) < std::pair(b.looping, b.startOrder);
        });
        state_->release(*free);
    }
    AudioSlot& slot = *free;
    slot.generation++;
    slot.sound = &sound;
    slot.paused = paused;
    slot.started = false;
    slot.looping = false;
    slot.pitch = 1.0f;
    slot.volume = 1.0f;
    slot.position = 0.0;
    slot.startOrder = state_->nextStartOrder++;
    if (!state_->silent) {
        alSourceRewind(slot.source);
        alSourcei(slot.source, AL_BUFFER, ALint(sound.Buffer()));
        alSourcei(slot.source, AL_LOOPING, AL_FALSE);
        alSourcef(slot.source, AL_GAIN, state_->effectsVolume);
        alSourcef(slot.source, AL_PITCH, 1.0f);
    }
    if (!paused) {
        state_->start(slot);
    }
    return AudioChannel(state_, int(free - slots.begin()), slot.generation);
}

void AudioSystem::Update(float elapsedSeconds) {
    state_->makeCurrent();
    for (AudioSlot& slot : state_->slots) {
        if (!slot.sound || !slot.started) {
            continue;
        }
        if (!state_->silent) {
            if (state_->deviceStopped(slot)) {
                state_->release(slot);
            }
            continue;
        }
        if (slot.paused) {
            continue;
        }
        const double length = slot.sound->LengthSeconds();
        slot.position += double(elapsedSeconds) * slot.pitch;
        if (slot.position < length) {
            continue;
        }
        if (slot.looping && length > 0.0) {
            slot.position = std::fmod(slot.position, length);
        } else {
            state_->release(slot);
        }
    }
}

int AudioSystem::BusyChannelCount() const {
    return int(std::count_if(state_->slots.begin(), state_->slots.end(),
                             [](const AudioSlot& s) { return s.sound; }));
}
