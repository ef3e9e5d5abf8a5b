#pragma once

#include <filesystem>

// The per-user folder of saved games: $XDG_DATA_HOME/Kelvane/, or $HOME/.local/share/Kelvane/ when
// XDG_DATA_HOME is unset, empty or relative. Not created here; the saved-game code creates it
// before each save or load.
std::filesystem::path GetSaveFolder();
