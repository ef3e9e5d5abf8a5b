#pragma once

#include "audio/CueBhvBase.h"

// A cue that plays its sound once; the cue object removes itself when the sound has ended.
class CueOneShotBhv : public CueBhvBase {
public:
    static constexpr const char* ClassName = "CueOneShotBhv";

    void Play() override;
    // Removes the cue object (at the end of the frame) once its channel no longer plays.
    void Update() override;
};
