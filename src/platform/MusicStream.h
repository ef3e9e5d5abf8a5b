#pragma once

#include <cstdint>
#include <memory>
#include <string>

class AudioSystem;

// One music track streamed to the audio device: decoded a chunk at a time into a short queue of
// device buffers, never whole. Between its loop points it repeats sample-exactly: the frame after
// the loop end is the loop start, joined inside the decoded data, so the device never sees a seam.
// On a silent device nothing is decoded and nothing is heard.
class MusicStream {
public:
    // Frames per queued chunk, and chunks in the queue: about 0.75 s ahead at 44.1 kHz, so a frame
    // that runs long never starves the device.
    static constexpr int ChunkFrames = 8192;
    static constexpr int ChunkCount = 4;

    // Opens `path` for streaming. loopStart / loopEnd are frames of the track; with loopEnd at or
    // before loopStart (either -1: not given) the whole track loops. Returns null, with a one-line
    // reason in `error`, when the file cannot be read or has more than two channels.
    static std::unique_ptr<MusicStream> Open(AudioSystem& system, const std::string& path,
                                             std::int64_t loopStart, std::int64_t loopEnd,
                                             std::string* error = nullptr);
    ~MusicStream();
    MusicStream(const MusicStream&) = delete;
    MusicStream& operator=(const MusicStream&) = delete;

    // 0..1, applied at once (callers ramp it per frame for fades).
    void SetGain(float gain);
    // Fills the queue and starts playing.
    void Play();
    // Once per frame: refills the chunks the device has finished, restarting it if it ran dry.
    void Update();

    // The loop as used: [LoopStart, LoopEnd) in frames.
    std::int64_t LoopStart() const;
    std::int64_t LoopEnd() const;

private:
    struct State;
    explicit MusicStream(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};
