#pragma once

#include "Image.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kelvane::assetwright {

// One sprite as the atlas descriptor records it: the packed (trimmed) rectangle in the sheet, and
// where that rectangle lies inside the sprite's full frame.
struct PackedSprite {
    std::string name;
    int x = 0, y = 0, w = 0, h = 0;
    int oX = 0, oY = 0, oW = 0, oH = 0;
};

struct PackedAtlas {
    Image sheet;
    std::vector<PackedSprite> sprites; // sorted by name, byte-wise
};

struct AtlasOptions {
    int maxSheetSide = 4096;
};

// Packs every ".png" of the folder (one sprite per file, named after its stem; other files and
// sub-folders are ignored). Transparent borders are trimmed; each packed sprite is surrounded by a
// 1-pixel copy of its own edge so linear filtering never samples a neighbour. Throws ToolError for an
// unreadable image, an empty folder, or sprites that do not fit the largest sheet.
PackedAtlas packAtlasFolder(const std::filesystem::path& folder, const AtlasOptions& options = {});

// Same, from images already in memory (the names must be unique).
PackedAtlas packAtlas(std::vector<std::pair<std::string, Image>> images, const AtlasOptions& options = {});

// The XML descriptor text; imagePath names the sheet beside it.
std::string atlasDescriptor(const PackedAtlas& atlas, const std::string& imagePath);

// Writes "<stem>.sheet" and then "<stem>.xml" (each through a temporary file) for descriptorPath
// "<folder>/<stem>.xml".
void writeAtlas(const PackedAtlas& atlas, const std::filesystem::path& descriptorPath);

} // namespace kelvane::assetwright
