#pragma once

#include <memory>
#include <string>

#include "assets/BitmapFont.h"
#include "assets/Texture.h"

// A font whose glyphs are one unit square with an advance of one unit at FontSize 1 (its line
// height is the whole page), for the characters listed; others have no glyph.
inline std::unique_ptr<BitmapFont>
MakeUnitFont(const std::string& characters = " ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") {
    auto font = std::make_unique<BitmapFont>();
    font->Name = "Unit";
    font->Page = std::make_unique<Texture>();
    font->LineHeight = 16.0f;
    font->LineHeightNorm = 1.0f;
    for (char c : characters) {
        Glyph g;
        g.id = c;
        g.width = 1.0f;
        g.height = 1.0f;
        g.xadvance = 1.0f;
        font->Glyphs[c] = g;
    }
    font->BuildByteTables();
    return font;
}
