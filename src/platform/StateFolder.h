#pragma once

#include <filesystem>

// The per-user folder of the game's own state (the last session's replay): $XDG_STATE_HOME/Kelvane/,
// or $HOME/.local/state/Kelvane/ when XDG_STATE_HOME is unset, empty or relative. Not created here.
std::filesystem::path GetStateFolder();
