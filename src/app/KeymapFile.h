#pragma once

#include <filesystem>

#include "input/Keymap.h"

// The player's own keymap, beside the settings: only what differs from the shipped key mappings
// (see KeymapText). The shipped file itself is never written.

// keymap.json in the folder of GetSettingsPath().
std::filesystem::path GetKeymapPath();

// The shipped mappings with the file's over them. A missing file gives the shipped mappings without
// a word; a damaged, foreign or unreadable one gives them with one warning line on stderr naming the
// file. A lifeline the file leaves without a key keeps its shipped keys, with one line too.
ActionMappings LoadKeymap(const std::filesystem::path& path, const ActionMappings& shipped);

// Writes the differences whole, as the settings are written (SaveConfigFile); false and one
// warning line when it cannot.
bool SaveKeymap(const ActionMappings& shipped, const ActionMappings& current,
                const std::filesystem::path& path);
