#pragma once

#include <functional>

#include "core/Component.h"
#include "reflection/IEditable.h"

class Behavior;

// Marks an object as a sound cue and holds its play trigger, which the cue's behaviour fills in its
// Start hook. No properties.
class CueComponent : public Component, public IEditable {
public:
    static constexpr const char* ClassName = "CueComponent";

    // Empty until a cue behaviour sets it; firing an empty trigger is the caller's to avoid.
    std::function<void()> PlayTrigger;

    void SetTrigger(Behavior* source, std::function<void()> trigger);
    // Empties the trigger if source set it, so no trigger outlives its behaviour.
    void ClearTrigger(const Behavior* source);

private:
    const Behavior* source_ = nullptr;
};
