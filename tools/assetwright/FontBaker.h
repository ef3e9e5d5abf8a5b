#pragma once

#include "Image.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kelvane::assetwright {

// What to bake: a TrueType face at one pixel size, for a contiguous range of character codes.
struct FontRecipe {
    std::filesystem::path face; // a path, or a file name looked up in the font folder
    int pixelSize = 16;         // the line height: text drawn this many pixels tall is texel-exact
    int firstChar = 32;
    int lastChar = 126;
};

struct BakedGlyph {
    int id = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int xoffset = 0, yoffset = 0, xadvance = 0;
};

struct BakedKerning {
    int first = 0;
    int second = 0;
    int amount = 0;
};

struct BakedFont {
    std::string faceName;
    int pixelSize = 0;  // the recipe's
    int emSize = 0;     // the pixel size the face was rasterised at, its line fitting in pixelSize
    int lineHeight = 0; // pixelSize
    int base = 0;
    Image page; // square, power of two: the text layout scales both axes by the page height
    std::vector<BakedGlyph> glyphs;
    std::vector<BakedKerning> kernings;
};

// Reads a recipe JSON ("Face", "PixelSize", optional "FirstChar", "LastChar"); throws ToolError.
FontRecipe readFontRecipe(const std::filesystem::path& path);

// Rasterises with FreeType (hinted, anti-aliased, white glyphs with coverage in alpha) at the largest
// em size whose line fits the recipe's pixel size, which becomes the line height. Throws ToolError
// when the face cannot be opened or lacks a glyph of the range.
BakedFont bakeFont(const FontRecipe& recipe, const std::filesystem::path& fontFolder);

// The BMFont XML text for a page file named pageFile.
std::string fontDescriptor(const BakedFont& font, const std::string& pageFile);

// Writes "<stem>_0.png" and then "<stem>.fnt" for descriptorPath "<folder>/<stem>.fnt".
void writeFont(const BakedFont& font, const std::filesystem::path& descriptorPath);

} // namespace kelvane::assetwright
