#pragma once

#include <string>

#include "core/Behavior.h"
#include "platform/AudioChannel.h"

// What the one-shot and the looped cue share: the sound to play, how loud, how high, and the channel
// it plays on. Not registered itself.
class CueBhvBase : public Behavior {
public:
    ~CueBhvBase() override;

    // Points the object's CueComponent trigger at this behaviour's Play.
    void Start() override;

    virtual void Play() = 0;

    std::string SoundName; // a sound of any loaded bank, exact name
    float Volume = 1.0f;   // 0 to 1
    float Pitch = 0.0f;    // semitones; 12 is an octave up

    AudioChannel Channel; // none until played

protected:
    CueBhvBase();

    // Starts SoundName on a free channel, paused while pitch, volume and (for loopCount -1) looping
    // are set. Without such a sound nothing plays and the cue object is removed at the end of the
    // frame: it could never end by itself. Returns whether a channel started.
    bool StartChannel(int loopCount);
};
