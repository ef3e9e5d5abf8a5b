#pragma once

#include <filesystem>

// A per-user base folder after the XDG convention: the folder the environment variable names when
// it is set to an absolute path, else $HOME/fallback (fallback relative, such as ".local/share").
std::filesystem::path UserFolder(const char* variable, const std::filesystem::path& fallback);
