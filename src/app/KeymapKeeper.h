#pragma once

#include <filesystem>

#include "input/Keymap.h"
#include "ui/options/ControlsStore.h"

class InputManager;

// Holds the player's keymap while the game runs: at start it lays the file over the shipped
// mappings the input manager holds, and it writes the file whenever the controls page changes a
// binding. Headless runs read it as windowed ones do, so a test can start with a saved keymap.
class KeymapKeeper final : public ControlsStore {
public:
    // `input` holds the shipped mappings; they become the player's.
    KeymapKeeper(std::filesystem::path path, InputManager& input);

    const ActionMappings& ShippedMappings() const override { return shipped_; }
    void KeepMappings(const ActionMappings& mappings) override;

private:
    std::filesystem::path path_;
    ActionMappings shipped_;
};
