#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/AudioChannel.h"

class AudioSound;
struct AudioSystemState;

// The sound device with a pool of `ChannelCount` channels. When the default output device cannot be
// opened, or a silent device is asked for (headless runs), sounds still load and channels still
// start and end by the sound's length, timed from the per-frame `Update`; nothing is heard. No call
// waits on the device.
class AudioSystem {
public:
    static constexpr int ChannelCount = 100;

    enum class Device {
        Default,  // the system's output; silent when it cannot be opened
        Silent,   // never opens an output
        Rendered, // heard only through Render: 44,100 Hz 16-bit stereo, as fast as it is asked for
    };

    explicit AudioSystem(Device device = Device::Default);
    ~AudioSystem();
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;

    // True when nothing is heard and channel time comes from `Update`.
    bool IsSilent() const;

    // A Rendered device only: mixes the next `frames` frames of everything playing into `out`
    // (interleaved left and right). The mix advances only here, so what is heard depends on the
    // calls alone, never on the machine's clock or load. False, writing nothing, on other devices.
    bool Render(int16_t* out, int frames);

    // Decodes the file and hands its samples to the device. Returns null (with a one-line reason in
    // `error`) when it cannot be decoded. The sound lives until `ReleaseSound` or this system's end.
    AudioSound* CreateSound(const std::string& path, std::string* error = nullptr);
    // Stops every channel playing the sound, then frees it.
    void ReleaseSound(AudioSound* sound);

    // Starts the sound on a free channel; when all are busy the one started longest ago is taken,
    // preferring channels that do not loop.
    // A paused start lets the caller set frequency, volume and loop count before anything is heard.
    // The sound plays once (loop count 0) at full volume and its default frequency.
    AudioChannel PlaySound(AudioSound& sound, bool paused);

    // Once per frame: frees the channels whose sound has ended. `elapsedSeconds` is the time since
    // the last call; only the silent device uses it, to advance its channels.
    void Update(float elapsedSeconds);

    // The player's volumes, 0..1: master over everything heard (music too), effects over every
    // channel's own volume.
    void SetVolumes(float master, float effects);
    // Lowers everything heard (music too) to this share, 0..1, over the player's volumes and apart
    // from them: the game ducks its sound while it is not in front, and 1 brings it back as set.
    void SetDuck(float level);
    float DuckLevel() const;
    // What everything heard is scaled by: the master volume times the duck level.
    float ListenerGain() const;

    // Channels that are busy (playing or paused), as of the last `Update` or channel call.
    int BusyChannelCount() const;

private:
    friend class MusicStream; // streams its own source and buffers on this device
    std::shared_ptr<AudioSystemState> state_;
};
