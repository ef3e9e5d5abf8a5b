#include "platform/AudioSystem.h"

#include "platform/AudioDecoder.h"
#include "platform/AudioSound.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// One pooled channel. It is busy while `sound` is set; a handle matches it only while busy and of the
// same generation, so handles from earlier plays go stale when the channel is freed or reused.
struct Slot {
    ALuint source = 0;
    std::uint32_t generation = 0;
    AudioSound* sound = nullptr;
    bool paused = false;
    bool started = false; // the device has been told to play (or the silent clock runs)
    bool looping = false;
    float pitch = 1.0f;
    double position = 0.0; // silent device only: seconds into the current pass at pitch 1
    std::uint64_t startOrder = 0;
};

// Only one context can be current per process; several systems (tests) take turns.
ALCcontext* currentContext = nullptr;

} // namespace

struct AudioSystem::Impl {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    bool silent = true;
    std::vector<Slot> slots;
    std::vector<std::unique_ptr<AudioSound>> sounds;
    std::uint64_t nextStartOrder = 0;

    void makeCurrent() {
        if (context && currentContext != context) {
            alcMakeContextCurrent(context);
            currentContext = context;
        }
    }

    Slot* find(int index, std::uint32_t generation) {
        if (index < 0 || index >= int(slots.size())) {
            return nullptr;
        }
        Slot& slot = slots[index];
        return slot.sound && slot.generation == generation ? &slot : nullptr;
    }

    bool openDefault() {
        device = alcOpenDevice(nullptr);
        if (!device) {
            return false;
        }
        context = alcCreateContext(device, nullptr);
        if (!context) {
            alcCloseDevice(device);
            device = nullptr;
            return false;
        }
        return true;
    }

    // A device that renders only when asked, and is never asked: it holds the sample data so that
    // loading takes the same path as with an output, at no cost per frame.
    void openLoopback() {
        if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) {
            return;
        }
        auto openLoopbackDevice =
            reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
        device = openLoopbackDevice ? openLoopbackDevice(nullptr) : nullptr;
        if (!device) {
            return;
        }
        const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
                                     ALC_SHORT_SOFT, ALC_FREQUENCY, 44100, 0};
        context = alcCreateContext(device, attributes);
        if (!context) {
            alcCloseDevice(device);
            device = nullptr;
        }
    }

    void createSources() {
        makeCurrent();
        slots.resize(ChannelCount);
        for (Slot& slot : slots) {
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
        if (std::any_of(slots.begin(), slots.end(), [](const Slot& s) { return s.source == 0; })) {
            deleteSources();
            silent = true;
        }
    }

    void deleteSources() {
        for (Slot& slot : slots) {
            if (slot.source) {
                alSourceStop(slot.source);
                alSourcei(slot.source, AL_BUFFER, 0);
                alDeleteSources(1, &slot.source);
                slot.source = 0;
            }
        }
    }

    bool deviceStopped(const Slot& slot) const {
        ALint state = AL_STOPPED;
        alGetSourcei(slot.source, AL_SOURCE_STATE, &state);
        return state == AL_STOPPED || state == AL_INITIAL;
    }

    bool isPlaying(const Slot& slot) const {
        if (silent || !slot.started) {
            return true; // the silent device frees a channel the moment its sound ends
        }
        return !deviceStopped(slot);
    }

    void release(Slot& slot) {
        if (!silent) {
            alSourceStop(slot.source);
            alSourcei(slot.source, AL_BUFFER, 0);
        }
        slot.sound = nullptr;
    }

    void start(Slot& slot) {
        slot.started = true;
        if (!silent) {
            alSourcePlay(slot.source);
        }
    }
};

AudioSystem::AudioSystem(Device device) : impl_(std::make_unique<Impl>()) {
    if (device == Device::Default && impl_->openDefault()) {
        impl_->silent = false;
    } else {
        impl_->openLoopback();
        impl_->silent = true;
    }
    if (impl_->context) {
        impl_->createSources();
    } else {
        impl_->slots.resize(ChannelCount);
    }
}

AudioSystem::~AudioSystem() {
    impl_->makeCurrent();
    impl_->deleteSources();
    for (auto& sound : impl_->sounds) {
        ALuint buffer = sound->Buffer();
        if (buffer) {
            alDeleteBuffers(1, &buffer);
        }
    }
    if (impl_->context) {
        alcMakeContextCurrent(nullptr);
        currentContext = nullptr;
        alcDestroyContext(impl_->context);
    }
    if (impl_->device) {
        alcCloseDevice(impl_->device);
    }
}

bool AudioSystem::IsSilent() const { return impl_->silent; }

AudioSound* AudioSystem::CreateSound(const std::string& path, std::string* error) {
    std::optional<DecodedAudio> audio = AudioDecoder::Decode(path, error);
    if (!audio) {
        return nullptr;
    }
    ALuint buffer = 0;
    if (impl_->context) {
        impl_->makeCurrent();
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
    impl_->sounds.push_back(
        std::make_unique<AudioSound>(buffer, audio->Channels, audio->SampleRate, audio->Frames));
    return impl_->sounds.back().get();
}

void AudioSystem::ReleaseSound(AudioSound* sound) {
    if (!sound) {
        return;
    }
    impl_->makeCurrent();
    for (Slot& slot : impl_->slots) {
        if (slot.sound == sound) {
            impl_->release(slot);
        }
    }
    auto it = std::find_if(impl_->sounds.begin(), impl_->sounds.end(),
                           [sound](const auto& owned) { return owned.get() == sound; });
    if (it == impl_->sounds.end()) {
        return;
    }
    ALuint buffer = sound->Buffer();
    if (buffer) {
        alDeleteBuffers(1, &buffer);
    }
    impl_->sounds.erase(it);
}

AudioChannel AudioSystem::PlaySound(AudioSound& sound, bool paused) {
    impl_->makeCurrent();
    auto& slots = impl_->slots;
    auto free = std::find_if(slots.begin(), slots.end(), [](const Slot& s) { return !s.sound; });
    if (free == slots.end()) {
        free = std::min_element(slots.begin(), slots.end(),
                                [](const Slot& a, const Slot& b) { return a.startOrder < b.startOrder; });
        impl_->release(*free);
    }
    Slot& slot = *free;
    slot.generation++;
    slot.sound = &sound;
    slot.paused = paused;
    slot.started = false;
    slot.looping = false;
    slot.pitch = 1.0f;
    slot.position = 0.0;
    slot.startOrder = impl_->nextStartOrder++;
    if (!impl_->silent) {
        alSourceRewind(slot.source);
        alSourcei(slot.source, AL_BUFFER, ALint(sound.Buffer()));
        alSourcei(slot.source, AL_LOOPING, AL_FALSE);
        alSourcef(slot.source, AL_GAIN, 1.0f);
        alSourcef(slot.source, AL_PITCH, 1.0f);
    }
    if (!paused) {
        impl_->start(slot);
    }
    return AudioChannel(this, int(free - slots.begin()), slot.generation);
}

void AudioSystem::Update(float elapsedSeconds) {
    impl_->makeCurrent();
    for (Slot& slot : impl_->slots) {
        if (!slot.sound || !slot.started) {
            continue;
        }
        if (!impl_->silent) {
            if (impl_->deviceStopped(slot)) {
                impl_->release(slot);
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
            impl_->release(slot);
        }
    }
}

int AudioSystem::BusyChannelCount() const {
    return int(std::count_if(impl_->slots.begin(), impl_->slots.end(), [](const Slot& s) { return s.sound; }));
}

bool AudioSystem::channelIsPlaying(int index, std::uint32_t generation) const {
    impl_->makeCurrent();
    const Slot* slot = impl_->find(index, generation);
    return slot && impl_->isPlaying(*slot);
}

void AudioSystem::channelSetPaused(int index, std::uint32_t generation, bool paused) {
    impl_->makeCurrent();
    Slot* slot = impl_->find(index, generation);
    if (!slot || slot->paused == paused) {
        return;
    }
    slot->paused = paused;
    if (!slot->started) {
        if (!paused) {
            impl_->start(*slot);
        }
    } else if (!impl_->silent) {
        if (paused) {
            alSourcePause(slot->source);
        } else {
            alSourcePlay(slot->source);
        }
    }
}

void AudioSystem::channelSetFrequency(int index, std::uint32_t generation, float hz) {
    impl_->makeCurrent();
    Slot* slot = impl_->find(index, generation);
    if (!slot || slot->sound->DefaultFrequency() <= 0.0f) {
        return;
    }
    // A zero or negative pitch would freeze the channel for good; keep it crawling instead.
    slot->pitch = std::max(hz / slot->sound->DefaultFrequency(), 1.0f / 1024.0f);
    if (!impl_->silent) {
        alSourcef(slot->source, AL_PITCH, slot->pitch);
    }
}

float AudioSystem::channelGetFrequency(int index, std::uint32_t generation) const {
    const Slot* slot = impl_->find(index, generation);
    return slot ? slot->pitch * slot->sound->DefaultFrequency() : 0.0f;
}

void AudioSystem::channelSetVolume(int index, std::uint32_t generation, float volume) {
    impl_->makeCurrent();
    Slot* slot = impl_->find(index, generation);
    if (slot && !impl_->silent) {
        alSourcef(slot->source, AL_GAIN, std::clamp(volume, 0.0f, 1.0f));
    }
}

void AudioSystem::channelSetLoopCount(int index, std::uint32_t generation, int count) {
    impl_->makeCurrent();
    Slot* slot = impl_->find(index, generation);
    if (!slot) {
        return;
    }
    slot->looping = count != 0;
    if (!impl_->silent) {
        alSourcei(slot->source, AL_LOOPING, slot->looping ? AL_TRUE : AL_FALSE);
    }
}

void AudioSystem::channelStop(int index, std::uint32_t generation) {
    impl_->makeCurrent();
    if (Slot* slot = impl_->find(index, generation)) {
        impl_->release(*slot);
    }
}
