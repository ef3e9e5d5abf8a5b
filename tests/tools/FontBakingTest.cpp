// Baked fonts: the BMFont descriptor reads back with the fields the game uses, and its metrics are
// FreeType's own.
#include "FontBaker.h"
#include "Image.h"
#include "TestFolder.h"
#include "ToolError.h"

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <ft2build.h>
#include <gtest/gtest.h>
#include FT_FREETYPE_H

#include <fstream>
#include <map>

using namespace kelvane::assetwright;
namespace fs = std::filesystem;

namespace {
const fs::path DejaVu = fs::path(KELVANE_FONT_DIR);

struct ReadFont {
    int emSize = 0;
    float scaleW = 0, scaleH = 0, lineHeight = 0;
    std::string pageFile;
    std::map<int, std::map<std::string, float>> chars;
    std::map<std::pair<int, int>, float> kernings;
    int kerningElements = 0;
};

// The game's reading: common scaleW/scaleH/lineHeight, the first page's file, every "char" and
// "kerning" child with its attributes.
ReadFont readFnt(const fs::path& path) {
    boost::property_tree::ptree tree;
    boost::property_tree::read_xml(path.string(), tree);
    ReadFont font;
    font.emSize = tree.get<int>("font.info.<xmlattr>.size");
    font.scaleW = tree.get<float>("font.common.<xmlattr>.scaleW");
    font.scaleH = tree.get<float>("font.common.<xmlattr>.scaleH");
    font.lineHeight = tree.get<float>("font.common.<xmlattr>.lineHeight");
    font.pageFile = tree.get<std::string>("font.pages.page.<xmlattr>.file");
    for (const auto& [key, node] : tree.get_child("font.chars")) {
        if (key != "char") {
            continue;
        }
        auto& c = font.chars[node.get<int>("<xmlattr>.id")];
        for (const char* attr : {"x", "y", "width", "height", "xoffset", "yoffset", "xadvance"}) {
            c[attr] = node.get<float>(std::string("<xmlattr>.") + attr);
        }
    }
    if (auto kernings = tree.get_child_optional("font.kernings")) {
        for (const auto& [key, node] : *kernings) {
            if (key == "kerning") {
                font.kernings[{node.get<int>("<xmlattr>.first"), node.get<int>("<xmlattr>.second")}] =
                    node.get<float>("<xmlattr>.amount");
                ++font.kerningElements;
            }
        }
    }
    return font;
}

class FreeTypeFace {
public:
    FreeTypeFace(const fs::path& file, int pixelSize) {
        FT_Init_FreeType(&library_);
        FT_New_Face(library_, file.string().c_str(), 0, &face_);
        FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixelSize));
    }
    ~FreeTypeFace() {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    int advance(int code) {
        FT_Load_Char(face_, static_cast<FT_ULong>(code), FT_LOAD_DEFAULT);
        return static_cast<int>((face_->glyph->advance.x + 32) >> 6);
    }
    int kerning(int first, int second) {
        FT_Vector delta{0, 0};
        FT_Get_Kerning(face_, FT_Get_Char_Index(face_, static_cast<FT_ULong>(first)),
                       FT_Get_Char_Index(face_, static_cast<FT_ULong>(second)), FT_KERNING_DEFAULT, &delta);
        return static_cast<int>((delta.x + 32) >> 6);
    }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

class BakedFontFile : public ::testing::TestWithParam<std::pair<const char*, int>> {
protected:
    void SetUp() override {
        FontRecipe recipe;
        recipe.face = GetParam().first;
        recipe.pixelSize = GetParam().second;
        writeFont(bakeFont(recipe, DejaVu), temp / "Font.fnt");
        font = readFnt(temp / "Font.fnt");
    }
    TestFolder temp;
    ReadFont font;
};
} // namespace

TEST_P(BakedFontFile, PageIsASquarePowerOfTwoMatchingTheDescriptor) {
    EXPECT_EQ(font.scaleW, font.scaleH);
    int side = static_cast<int>(font.scaleW);
    EXPECT_EQ(side & (side - 1), 0);
    Image page = loadPng(temp / font.pageFile);
    EXPECT_EQ(page.width, side);
    EXPECT_EQ(page.height, side);
    // Text is drawn at the recipe's size; only a line of exactly that height draws texel-exact.
    EXPECT_EQ(font.lineHeight, GetParam().second);
    EXPECT_LT(font.emSize, GetParam().second);
}

TEST_P(BakedFontFile, HoldsEveryPrintableAsciiCharacterInsideThePage) {
    ASSERT_EQ(font.chars.size(), 95u);
    Image page = loadPng(temp / font.pageFile);
    for (int code = 32; code <= 126; ++code) {
        ASSERT_TRUE(font.chars.count(code)) << code;
        auto& c = font.chars[code];
        EXPECT_LE(c["x"] + c["width"], font.scaleW) << code;
        EXPECT_LE(c["y"] + c["height"], font.scaleH) << code;
        // Ink inside a visible glyph's rectangle; white colour so text tints cleanly.
        if (code != ' ') {
            int ink = 0;
            for (int y = 0; y < c["height"]; ++y) {
                for (int x = 0; x < c["width"]; ++x) {
                    const std::uint8_t* p =
                        page.at(static_cast<int>(c["x"]) + x, static_cast<int>(c["y"]) + y);
                    ink += p[3];
                    if (p[3] > 0) {
                        EXPECT_EQ(p[0], 255);
                    }
                }
            }
            EXPECT_GT(ink, 0) << "glyph " << static_cast<char>(code) << " is blank";
        }
    }
}

TEST_P(BakedFontFile, AdvancesMatchFreeType) {
    FreeTypeFace face(DejaVu / GetParam().first, font.emSize);
    for (int code = 32; code <= 126; ++code) {
        EXPECT_EQ(font.chars[code]["xadvance"], face.advance(code)) << static_cast<char>(code);
    }
}

TEST_P(BakedFontFile, KerningsAreExactlyFreeTypesNonZeroPairs) {
    FreeTypeFace face(DejaVu / GetParam().first, font.emSize);
    int nonZero = 0;
    for (int a = 32; a <= 126; ++a) {
        for (int b = 32; b <= 126; ++b) {
            int amount = face.kerning(a, b);
            if (amount != 0) {
                ++nonZero;
                auto it = font.kernings.find({a, b});
                ASSERT_NE(it, font.kernings.end()) << "missing pair " << a << "," << b;
                EXPECT_EQ(it->second, amount);
            }
        }
    }
    EXPECT_EQ(font.kerningElements, nonZero);
    if (std::string(GetParam().first).find("Mono") == std::string::npos) {
        EXPECT_GT(nonZero, 0) << "proportional DejaVu faces carry kerning pairs; none were baked";
    }
}

INSTANTIATE_TEST_SUITE_P(DejaVu, BakedFontFile,
                         ::testing::Values(std::pair{"DejaVuSans.ttf", 12},
                                           std::pair{"DejaVuSans-Bold.ttf", 24},
                                           std::pair{"DejaVuSansMono.ttf", 12}));

TEST(FontBaking, MissingGlyphIsAnErrorNamingTheCharacter) {
    FontRecipe recipe;
    recipe.face = "DejaVuSans.ttf";
    recipe.firstChar = 0x4E00; // CJK, which DejaVu does not cover
    recipe.lastChar = 0x4E00;
    try {
        bakeFont(recipe, DejaVu);
        FAIL() << "expected an error";
    } catch (const ToolError& e) {
        EXPECT_NE(std::string(e.what()).find("U+4E00"), std::string::npos) << e.what();
    }
}

TEST(FontBaking, MissingFaceIsAnError) {
    FontRecipe recipe;
    recipe.face = "NoSuchFace.ttf";
    EXPECT_THROW(bakeFont(recipe, DejaVu), ToolError);
}

TEST(FontBaking, RecipeReadsItsKeysAndRejectsNonsense) {
    TestFolder temp;
    std::ofstream(temp / "ok.json") << R"({ "Face": "DejaVuSans.ttf", "PixelSize": 18, "LastChar": 90 })";
    FontRecipe recipe = readFontRecipe(temp / "ok.json");
    EXPECT_EQ(recipe.pixelSize, 18);
    EXPECT_EQ(recipe.firstChar, 32);
    EXPECT_EQ(recipe.lastChar, 90);
    std::ofstream(temp / "bad.json") << R"({ "Face": "DejaVuSans.ttf", "PixelSize": 0 })";
    EXPECT_THROW(readFontRecipe(temp / "bad.json"), ToolError);
    std::ofstream(temp / "noface.json") << R"({ "PixelSize": 12 })";
    EXPECT_THROW(readFontRecipe(temp / "noface.json"), ToolError);
}
