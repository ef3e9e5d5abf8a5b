#pragma once

// Private to the audio platform files: the device, its channel pool and the loaded sounds, shared
// by `AudioSystem` (which owns it) and `AudioChannel` handles (which only observe it, so that a
// handle outliving its system is harmless).

#include "platform/AudioSound.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <cstdint>
#include <memory>
#include <vector>

// One pooled channel. It is busy while `sound` is set; a handle matches it only while busy and of the
// same generation, so handles from earlier plays go stale when the channel is freed or reused.
struct AudioSlot {
    ALuint source = 0;
    std::uint32_t generation = 0;
    AudioSound* sound = nullptr;
    bool paused = false;
    bool started = false; // the device has been told to play (or the silent clock runs)
    bool looping = false;
    float pitch = 1.0f;
    float volume = 1.0f;   // as the channel was told; heard at volume x the effects volume
    double position = 0.0; // silent device only: seconds into the current pass at pitch 1
    std::uint64_t startOrder = 0;
};

struct AudioSystemState {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    bool silent = true;
    bool rendered = false; // a loopback device mixed only by AudioSystem::Render
    std::vector<AudioSlot> slots;
    std::vector<std::unique_ptr<AudioSound>> sounds;
    std::uint64_t nextStartOrder = 0;
    float effectsVolume = 1.0f; // the player's setting, over every channel
    float masterVolume = 1.0f;  // the player's setting, over everything heard
    float duckLevel = 1.0f;     // the game's own lowering, over the master volume

    // The listener's gain: everything heard, music included.
    void applyListenerGain();

    // Only one context is current per process; several systems (tests) take turns.
    void makeCurrent();
    // The busy slot a handle names, or null when the handle is stale.
    AudioSlot* find(int index, std::uint32_t generation);

    bool isPlaying(const AudioSlot& slot) const;
    bool deviceStopped(const AudioSlot& slot) const;
    void start(AudioSlot& slot);
    // Ends the slot's sound and frees the slot.
    void release(AudioSlot& slot);
};
