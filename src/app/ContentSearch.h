#pragma once

#include <filesystem>
#include <string>

#include "core/ContentLayers.h"

// Finds the Content folder without depending on the working folder: given (from --content) when
// not empty; else "Content" beside the executable (a build tree); else "../share/kelvane/Content"
// or "../share/games/kelvane/Content" from it (an install tree, the second as Debian lays out games). The
// overlay is userData / "Content" when the folder found cannot be written, or always for an install tree,
// whose files belong to the package manager. Throws ContentError, in one line naming every place looked in,
// when there is no such folder.
ContentLayers FindContent(const std::string& given, const std::filesystem::path& executableFolder,
                          const std::filesystem::path& userData);

// The same for this process: the running executable's folder and the player's data folder.
ContentLayers FindContent(const std::string& given);
