#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "assets/Glyph.h"

class Texture;

// A font from one BMFont XML file: its first page image, glyph boxes and kerning pairs.
class BitmapFont {
public:
    BitmapFont();
    virtual ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    std::string Name;              // file name without folder and extension
    std::unique_ptr<Texture> Page; // owned, with no sprites
    float LineHeightNorm = 0.0f;   // "lineHeight" / "scaleH"
    float LineHeight = 0.0f;       // pixels
    std::map<int, Glyph> Glyphs;
    std::multimap<int, std::pair<int, float>> Kernings; // first id -> (second id, amount / scaleW)

    // The amount of the first kerning entry for the pair, else 0.
    float GetKerning(int first, int second) const;

    // The glyph of a text byte, read as a signed char: bytes of 128 and above find none. This and
    // ByteKerning are flat tables built at load so laying out text does not search the maps.
    const Glyph& ByteGlyph(char c) const { return byteGlyphs_[static_cast<unsigned char>(c)]; }
    float ByteKerning(char first, char second) const {
        return (first < 0 || second < 0)
                   ? 0.0f
                   : byteKernings_[static_cast<size_t>(first) * 128 + static_cast<size_t>(second)];
    }

    // Rebuilds the byte tables from Glyphs and Kernings.
    void BuildByteTables();

private:
    std::array<Glyph, 256> byteGlyphs_{}; // entries 128..255 stay empty
    std::array<float, 128 * 128> byteKernings_{};
};

// Reads a BMFont XML file and its first page image. Throws ContentError when the file is not XML
// or lacks a required value, or when its page size is not positive; a missing page image only leaves
// the page without image.
std::unique_ptr<BitmapFont> LoadBitmapFont(const std::string& path);
// The same from descriptor text already read; path places the page image and names the file in
// errors.
std::unique_ptr<BitmapFont> ReadBitmapFont(const std::string& xml, const std::string& path);
