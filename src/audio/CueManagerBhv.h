#pragma once

#include <string>

#include "core/Behavior.h"

class CueLoopedBhv;

// The object under which cue objects live, reached as WellKnown<CueManagerBhv>: its Start hook
// registers it, its destructor clears that if it is still the registered one. No properties.
class CueManagerBhv : public Behavior {
public:
    static constexpr const char* ClassName = "CueManagerBhv";

    ~CueManagerBhv() override;
    void Start() override;
};

// Plays the cue "Cue_" + cueName: builds that prefab under the cue manager's object and fires its
// trigger. A missing manager, prefab or sound plays nothing; a cue object that cannot play removes
// itself at the end of the frame.
void playCue(const std::string& cueName);

// The same for a looped cue; returns its behaviour as the handle for the two calls below, or null
// when nothing plays (then there is nothing to stop, and the cue object is already on its way out).
// The handle is valid until the caller stops or ends the cue.
CueLoopedBhv* playLoopedCue(const std::string& cueName);

// Stops the looped cue's sound at once; its object goes at the end of the next update pass.
void stopLoopedCue(CueLoopedBhv* handle);

// Lets the looped cue's current pass play out; its object goes once the sound has ended.
void endLoopedCue(CueLoopedBhv* handle);
