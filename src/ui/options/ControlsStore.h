#pragma once

#include "input/Keymap.h"

// Where the controls page keeps the player's bindings: the application's keeper of the keymap file
// (Service<ControlsStore>). The page changes the input manager's mappings itself, so a change acts
// at once; without a store it still does, and nothing is kept.
class ControlsStore {
public:
    virtual ~ControlsStore() = default;
    // The mappings the game ships with, which "Reset to defaults" brings back.
    virtual const ActionMappings& ShippedMappings() const = 0;
    // The player changed the bindings to these: keep them for the next run.
    virtual void KeepMappings(const ActionMappings& mappings) = 0;
};
