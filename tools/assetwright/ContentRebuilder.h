#pragma once

#include <filesystem>
#include <ostream>
#include <vector>

namespace kelvane::assetwright {

// One atlas of a content tree: its sprite folder "Textures/<bank>/<texture>/" and the descriptor
// "Textures/<bank>/<texture>.xml" built from it (the sheet lies beside the descriptor).
struct AtlasSource {
    std::filesystem::path spriteFolder;
    std::filesystem::path descriptor;
};

// Every sprite folder two levels below "Textures" (the folders the game's hot reload watches), sorted.
std::vector<AtlasSource> findAtlasSources(const std::filesystem::path& contentRoot);

// True when the descriptor or its sheet is missing, or a sprite (or the folder itself, which changes
// when a sprite is added, removed or renamed) is newer than the descriptor.
bool isAtlasStale(const AtlasSource& source);

// Rebuilds the stale atlases (all of them with force) and names each on log; returns how many were
// rebuilt. A failing atlas throws ToolError; atlases already rebuilt stay.
int rebuildAtlases(const std::filesystem::path& contentRoot, bool force, std::ostream& log);

} // namespace kelvane::assetwright
