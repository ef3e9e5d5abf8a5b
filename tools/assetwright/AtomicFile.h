#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace kelvane::assetwright {

// The game's own atomic writer (platform/AtomicFile.h) with the tool's errors: readers (the running game,
// a hot reload) see either the old file or the complete new one, never a partial write. Creates the
// parent folder. Throws ToolError on failure and removes the temporary file.
void writeFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
void writeFileAtomically(const std::filesystem::path& path, std::string_view text);

} // namespace kelvane::assetwright
