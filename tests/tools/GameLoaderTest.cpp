// The game's own loaders read what the tool writes: the real sprite folders pack into atlases whose
// every sprite the texture loader places back on its source pixels, and the baked fonts give the
// font loader FreeType's advances and kernings.
#include "AtlasPacker.h"
#include "FontBaker.h"
#include "Image.h"
#include "TestFolder.h"

#include "assets/BitmapFont.h"
#include "assets/Texture.h"

#include <ft2build.h>
#include <gtest/gtest.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstring>

using namespace kelvane::assetwright;
namespace fs = std::filesystem;

namespace {
const fs::path Content = fs::path(KELVANE_SOURCE_DIR) / "content";

int pixels(float fraction, float size) {
    return static_cast<int>(std::lround(fraction * size));
}

class ContentAtlas : public ::testing::TestWithParam<const char*> {};
} // namespace

TEST_P(ContentAtlas, EverySpriteLoadsBackOntoItsSourcePixels) {
    TestFolder temp;
    const fs::path folder = Content / "Textures" / "Main" / GetParam();
    const fs::path descriptor = temp / (std::string(GetParam()) + ".xml");
    writeAtlas(packAtlasFolder(folder), descriptor);

    Texture texture;
    LoadAtlas(texture, descriptor.string());
    Image sheet = loadPng(temp / (std::string(GetParam()) + ".sheet"));
    ASSERT_EQ(texture.PixelWidth, static_cast<float>(sheet.width));
    ASSERT_EQ(texture.PixelHeight, static_cast<float>(sheet.height));

    int checked = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        auto found = texture.SpriteIndex.find(name);
        ASSERT_NE(found, texture.SpriteIndex.end());
        const Rect& uv = texture.UvRects[static_cast<std::size_t>(found->second)];
        const Rect& trim = texture.TrimRects[static_cast<std::size_t>(found->second)];
        Image source = loadPng(entry.path());
        const int x = pixels(uv.x, texture.PixelWidth), y = pixels(uv.y, texture.PixelHeight);
        const int w = pixels(uv.width, texture.PixelWidth), h = pixels(uv.height, texture.PixelHeight);
        const int oX = pixels(trim.x, static_cast<float>(source.width));
        const int oY = pixels(trim.y, static_cast<float>(source.height));
        ASSERT_EQ(w, pixels(trim.width, static_cast<float>(source.width)));
        ASSERT_EQ(h, pixels(trim.height, static_cast<float>(source.height)));
        for (int sy = 0; sy < source.height; ++sy) {
            for (int sx = 0; sx < source.width; ++sx) {
                const bool inside = sx >= oX && sx < oX + w && sy >= oY && sy < oY + h;
                if (!inside) {
                    ASSERT_EQ(source.at(sx, sy)[3], 0);
                } else {
                    ASSERT_EQ(0, std::memcmp(source.at(sx, sy), sheet.at(x + sx - oX, y + sy - oY), 4))
                        << sx << "," << sy;
                }
            }
        }
        ++checked;
    }
    EXPECT_EQ(checked, texture.SpriteCount());
}

INSTANTIATE_TEST_SUITE_P(Main, ContentAtlas, ::testing::Values("Game", "Editor"));

TEST(ContentFont, GameLoaderSeesFreeTypesAdvancesAndKernings) {
    TestFolder temp;
    FontRecipe recipe = readFontRecipe(Content / "Fonts" / "Main" / "Sources" / "Normal.json");
    const fs::path dejaVu = fs::path(KELVANE_FONT_DIR);
    BakedFont baked = bakeFont(recipe, dejaVu);
    writeFont(baked, temp / "Normal.fnt");
    std::unique_ptr<BitmapFont> font = LoadBitmapFont((temp / "Normal.fnt").string());
    ASSERT_NE(font, nullptr);
    const float scale = static_cast<float>(baked.page.width);
    EXPECT_FLOAT_EQ(font->LineHeight, static_cast<float>(baked.lineHeight));

    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    ASSERT_EQ(FT_New_Face(library, (dejaVu / recipe.face).string().c_str(), 0, &face), 0);
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(baked.emSize));
    int kerned = 0;
    for (int a = 32; a <= 126; ++a) {
        FT_Load_Char(face, static_cast<FT_ULong>(a), FT_LOAD_DEFAULT);
        EXPECT_FLOAT_EQ(font->Glyphs.at(a).xadvance * scale, std::round(face->glyph->advance.x / 64.0f))
            << static_cast<char>(a);
        for (int b = 32; b <= 126; ++b) {
            FT_Vector delta{0, 0};
            FT_Get_Kerning(face, FT_Get_Char_Index(face, static_cast<FT_ULong>(a)),
                           FT_Get_Char_Index(face, static_cast<FT_ULong>(b)), FT_KERNING_DEFAULT, &delta);
            const float expected = std::round(delta.x / 64.0f);
            ASSERT_FLOAT_EQ(font->GetKerning(a, b) * scale, expected) << a << "," << b;
            kerned += expected != 0.0f;
        }
    }
    EXPECT_GT(kerned, 0);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}
