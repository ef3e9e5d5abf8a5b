#include "FontBaker.h"

#include "AtomicFile.h"
#include "RecipeFile.h"
#include "RectPacker.h"
#include "ToolError.h"

#include <boost/property_tree/ptree.hpp>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <memory>
#include <sstream>

namespace kelvane::assetwright {

namespace {
constexpr int MaxPageSide = 2048;

int roundedPixels(FT_Pos value) {
    return static_cast<int>((value + 32) >> 6);
}

// The largest em size, in whole pixels (what hinting works with), whose own line spacing fits in
// lineHeight pixels; the face is left set to it. 0 when no size fits.
FT_UInt emSizeForLineHeight(FT_Face face, int lineHeight) {
    for (int em = lineHeight; em > 0; --em) {
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em)) != 0) {
            continue;
        }
        if (roundedPixels(face->size->metrics.height) <= lineHeight) {
            return static_cast<FT_UInt>(em);
        }
    }
    return 0;
}

std::string hexCode(int code) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code));
    return text;
}

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryPtr = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryDeleter>;
using FacePtr = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceDeleter>;

struct RasterGlyph {
    BakedGlyph metrics;
    int pitch = 0;
    std::vector<std::uint8_t> coverage;
};
} // namespace

FontRecipe readFontRecipe(const std::filesystem::path& path) {
    try {
        const boost::property_tree::ptree tree = readRecipeFile(path);
        FontRecipe recipe;
        recipe.face = tree.get<std::string>("Face");
        recipe.pixelSize = tree.get<int>("PixelSize");
        recipe.firstChar = tree.get<int>("FirstChar", 32);
        recipe.lastChar = tree.get<int>("LastChar", 126);
        if (recipe.pixelSize < 4 || recipe.pixelSize > 256 || recipe.firstChar < 0 ||
            recipe.lastChar < recipe.firstChar || recipe.lastChar > 0x10FFFF) {
            throw ToolError("font recipe '" + path.string() + "' has an invalid size or character range");
        }
        return recipe;
    } catch (const boost::property_tree::ptree_error& e) {
        throw ToolError("font recipe '" + path.string() + "': " + e.what());
    }
}

BakedFont bakeFont(const FontRecipe& recipe, const std::filesystem::path& fontFolder) {
    std::filesystem::path facePath = recipe.face;
    if (!recipe.face.has_parent_path() && !std::filesystem::exists(facePath)) {
        facePath = fontFolder / recipe.face;
    }
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) {
        throw ToolError("cannot start FreeType");
    }
    LibraryPtr library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), facePath.string().c_str(), 0, &rawFace) != 0) {
        throw ToolError("cannot open font '" + facePath.string() + "'");
    }
    FacePtr face(rawFace);

    BakedFont font;
    font.faceName = std::string(face->family_name ? face->family_name : "") +
                    (face->style_name ? std::string(" ") + face->style_name : "");
    font.pixelSize = recipe.pixelSize;
    font.emSize = static_cast<int>(emSizeForLineHeight(face.get(), recipe.pixelSize));
    if (font.emSize == 0) {
        throw ToolError("font '" + facePath.string() + "' cannot be set to a line height of " +
                        std::to_string(recipe.pixelSize) + " pixels");
    }
    font.base = roundedPixels(face->size->metrics.ascender);
    // Text drawn at the recipe's size then maps one texel to one pixel. A line height the face would
    // make taller scales every glyph down, and point sampling then drops whole rows (the one-pixel
    // crossbar of a small "T"); the face's own line fits inside, the rest is space under it.
    font.lineHeight = recipe.pixelSize;

    std::vector<RasterGlyph> glyphs;
    std::vector<FT_UInt> glyphIndices;
    for (int code = recipe.firstChar; code <= recipe.lastChar; ++code) {
        FT_UInt index = FT_Get_Char_Index(face.get(), static_cast<FT_ULong>(code));
        if (index == 0) {
            throw ToolError("font '" + facePath.string() + "' has no glyph for " + hexCode(code));
        }
        if (FT_Load_Glyph(face.get(), index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) {
            throw ToolError("font '" + facePath.string() + "' cannot render " + hexCode(code));
        }
        const FT_GlyphSlot slot = face->glyph;
        RasterGlyph glyph;
        glyph.metrics.id = code;
        glyph.metrics.width = static_cast<int>(slot->bitmap.width);
        glyph.metrics.height = static_cast<int>(slot->bitmap.rows);
        glyph.metrics.xoffset = slot->bitmap_left;
        glyph.metrics.yoffset = font.base - slot->bitmap_top;
        glyph.metrics.xadvance = roundedPixels(slot->advance.x);
        glyph.pitch = glyph.metrics.width;
        glyph.coverage.resize(static_cast<std::size_t>(glyph.metrics.width) * glyph.metrics.height);
        for (int row = 0; row < glyph.metrics.height; ++row) {
            const unsigned char* src =
                slot->bitmap.buffer + static_cast<std::ptrdiff_t>(row) * slot->bitmap.pitch;
            std::copy(src, src + glyph.metrics.width, glyph.coverage.begin() + row * glyph.pitch);
        }
        glyphs.push_back(std::move(glyph));
        glyphIndices.push_back(index);
    }

    // One pixel of clear space on every side keeps filtered glyph edges from picking up neighbours.
    std::vector<PackSize> sizes;
    for (const RasterGlyph& g : glyphs) {
        sizes.push_back(PackSize{g.metrics.width + 2, g.metrics.height + 2});
    }
    PackResult packed;
    if (!packRects(sizes, MaxPageSide, true, packed)) {
        throw ToolError("the glyphs of '" + facePath.string() + "' at " + std::to_string(recipe.pixelSize) +
                        " pixels do not fit one page");
    }
    font.page = Image(packed.sheetWidth, packed.sheetHeight);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        RasterGlyph& g = glyphs[i];
        g.metrics.x = packed.placements[i].x + 1;
        g.metrics.y = packed.placements[i].y + 1;
        for (int row = 0; row < g.metrics.height; ++row) {
            for (int col = 0; col < g.metrics.width; ++col) {
                std::uint8_t* px = font.page.at(g.metrics.x + col, g.metrics.y + row);
                px[0] = px[1] = px[2] = 255;
                px[3] = g.coverage[static_cast<std::size_t>(row) * g.pitch + col];
            }
        }
        font.glyphs.push_back(g.metrics);
    }

    if (FT_HAS_KERNING(face.get())) {
        for (std::size_t a = 0; a < glyphs.size(); ++a) {
            for (std::size_t b = 0; b < glyphs.size(); ++b) {
                FT_Vector delta{0, 0};
                if (FT_Get_Kerning(face.get(), glyphIndices[a], glyphIndices[b], FT_KERNING_DEFAULT,
                                   &delta) == 0) {
                    int amount = roundedPixels(delta.x);
                    if (amount != 0) {
                        font.kernings.push_back(
                            BakedKerning{glyphs[a].metrics.id, glyphs[b].metrics.id, amount});
                    }
                }
            }
        }
    }
    return font;
}

std::string fontDescriptor(const BakedFont& font, const std::string& pageFile) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\"?>\n<font>\n";
    out << "  <info face=\"" << font.faceName << "\" size=\"" << font.emSize
        << "\" bold=\"0\" italic=\"0\" charset=\"\" unicode=\"1\" stretchH=\"100\" smooth=\"1\" aa=\"1\""
           " padding=\"0,0,0,0\" spacing=\"1,1\" outline=\"0\"/>\n";
    out << "  <common lineHeight=\"" << font.lineHeight << "\" base=\"" << font.base << "\" scaleW=\""
        << font.page.width << "\" scaleH=\"" << font.page.height
        << "\" pages=\"1\" packed=\"0\" alphaChnl=\"0\" redChnl=\"4\" greenChnl=\"4\" blueChnl=\"4\"/>\n";
    out << "  <pages>\n    <page id=\"0\" file=\"" << pageFile << "\"/>\n  </pages>\n";
    out << "  <chars count=\"" << font.glyphs.size() << "\">\n";
    for (const BakedGlyph& g : font.glyphs) {
        out << "    <char id=\"" << g.id << "\" x=\"" << g.x << "\" y=\"" << g.y << "\" width=\"" << g.width
            << "\" height=\"" << g.height << "\" xoffset=\"" << g.xoffset << "\" yoffset=\"" << g.yoffset
            << "\" xadvance=\"" << g.xadvance << "\" page=\"0\" chnl=\"15\"/>\n";
    }
    out << "  </chars>\n";
    out << "  <kernings count=\"" << font.kernings.size() << "\">\n";
    for (const BakedKerning& k : font.kernings) {
        out << "    <kerning first=\"" << k.first << "\" second=\"" << k.second << "\" amount=\"" << k.amount
            << "\"/>\n";
    }
    out << "  </kernings>\n</font>\n";
    return out.str();
}

void writeFont(const BakedFont& font, const std::filesystem::path& descriptorPath) {
    std::string pageFile = descriptorPath.stem().string() + "_0.png";
    savePng(font.page, descriptorPath.parent_path() / pageFile);
    writeFileAtomically(descriptorPath, fontDescriptor(font, pageFile));
}

} // namespace kelvane::assetwright
