#include <gtest/gtest.h>

#include "TempContent.h"
#include "ThirdPartyData.h"
#include "assets/BitmapFont.h"
#include "assets/FontRegistry.h"
#include "assets/Texture.h"
#include "assets/TextureImage.h"
#include "core/ContentError.h"
#include "core/Service.h"
#include "reflection/ResourceLookup.h"

namespace {

// Elements opened depth times and never closed.
std::string Nested(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) {
        text += "<k>";
    }
    return text;
}

class FontBankTest : public ::testing::Test {
protected:
    TempContent content;
    FontRegistry registry{content.Str()};
    Service<FontLookup>::Scoped registryLookup{registry};

    BitmapFont* LoadSample(const std::string& folder, const std::string& fnt,
                           const std::vector<std::string>& pages) {
        content.CopyTestData("bmfont/" + folder + "/" + fnt, "Fonts/Main/" + fnt);
        for (const std::string& page : pages) {
            content.CopyTestData("bmfont/" + folder + "/" + page, "Fonts/Main/" + page);
        }
        registry.LoadFontBank("Main");
        return registry.FindFont(fnt.substr(0, fnt.size() - 4));
    }
};

TEST_F(FontBankTest, GlyphsAndKerningsAreNormalisedByThePageSizeOfTheFile) {
    BitmapFont* font = LoadSample("montserrat-32", "montserrat-32.fnt", {"montserrat-32_0.png"});
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Name, "montserrat-32");
    EXPECT_EQ(font->LineHeight, 32.0f);
    EXPECT_EQ(font->LineHeightNorm, 32.0f / 256);
    EXPECT_EQ(font->Glyphs.size(), 95u);
    EXPECT_EQ(font->Kernings.size(), 234u);
    EXPECT_EQ(font->GetKerning(65, 86), -1.0f / 256); // A, V
    EXPECT_EQ(font->GetKerning(86, 65), font->ByteKerning('V', 'A'));
    EXPECT_EQ(font->GetKerning(65, 65), 0.0f);
    ASSERT_NE(font->Page, nullptr);
    ASSERT_NE(font->Page->Image, nullptr);
    EXPECT_EQ(font->Page->PixelWidth, 256.0f);
    EXPECT_EQ(font->Page->SpriteCount(), 0);
    const Glyph& space = font->Glyphs.at(32);
    EXPECT_EQ(space.width, 3.0f / 256);
}

TEST_F(FontBankTest, ReadsAGeneratorFileStartingWithANewlineAndHeavyKerning) {
    BitmapFont* font = LoadSample("desyrel", "desyrel.fnt", {"desyrel.png"});
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Glyphs.size(), 95u);
    EXPECT_EQ(font->Kernings.size(), 1771u);
    EXPECT_EQ(font->GetKerning(65, 86), -2.0f / 256);
    EXPECT_EQ(font->Glyphs.at(32).width, 0.0f);
}

TEST_F(FontBankTest, OnlyTheFirstPageElementIsUsedWhateverItsId) {
    BitmapFont* font =
        LoadSample("edge-cases", "split_font2.fnt", {"split_font_ab.png", "split_font_cd.png"});
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Glyphs.size(), 4u); // the count attribute says 5
    EXPECT_TRUE(font->Kernings.empty());
    ASSERT_NE(font->Page->Image, nullptr);
    // The first <page> listed is id 1, split_font_cd.png (22 pixels wide; the other page is 23).
    EXPECT_EQ(font->Page->Image->Width, 22);
}

TEST_F(FontBankTest, ReadsNegativeOffsetsAndAGreyscalePage) {
    BitmapFont* font = LoadSample("edge-cases", "test-font-xml.fnt", {"test-font_0.png"});
    ASSERT_NE(font, nullptr);
    const Glyph& f = font->Glyphs.at(70);
    EXPECT_EQ(f.xoffset, -5.0f / 256);
    EXPECT_EQ(f.yoffset, -3.0f / 256);
    EXPECT_EQ(f.xadvance, 17.0f / 256);
    EXPECT_EQ(font->GetKerning(70, 74), -1.0f / 256);
    EXPECT_NE(font->Page->Image, nullptr);
}

TEST_F(FontBankTest, ReadsAMultiPageDistanceFieldFontUsingItsFirstPage) {
    BitmapFont* font = LoadSample("roboto-msdf", "Roboto-Regular.fnt", {"atlas.0.png"});
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Kernings.size(), 434u);
    EXPECT_EQ(font->Glyphs.size(), 95u);
    EXPECT_NE(font->Page->Image, nullptr);
}

TEST_F(FontBankTest, AMissingCharacterReadsAsAnEmptyGlyphAndHighBytesFindNone) {
    BitmapFont* font = LoadSample("edge-cases", "test-font-xml.fnt", {"test-font_0.png"});
    EXPECT_EQ(font->ByteGlyph('Q').xadvance, 0.0f);
    EXPECT_EQ(font->ByteGlyph(static_cast<char>(0xC6)).width, 0.0f);
    EXPECT_EQ(font->ByteKerning(static_cast<char>(0xC6), 'J'), 0.0f);
}

TEST_F(FontBankTest, AMissingPageImageLeavesTheFontWithoutImage) {
    content.CopyTestData("bmfont/edge-cases/test-font-xml.fnt", "Fonts/Main/t.fnt");
    testing::internal::CaptureStderr();
    registry.LoadFontBank("Main");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("test-font_0.png"), std::string::npos);
    ASSERT_NE(registry.FindFont("t"), nullptr);
    EXPECT_EQ(registry.FindFont("t")->Page->Image, nullptr);
}

TEST_F(FontBankTest, BanksAreSearchedInNameOrderAndResolveFontReferences) {
    content.CopyTestData("bmfont/edge-cases/test-font-xml.fnt", "Fonts/Main/Small.FNT");
    content.CopyTestData("bmfont/edge-cases/test-font-xml.fnt", "Fonts/Editor/Small.fnt");
    content.Write("Fonts/Main/notes.txt", "ignored");
    testing::internal::CaptureStderr();
    registry.LoadFontBank("Main");
    registry.LoadFontBank("Editor");
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(registry.Banks.at("Main").size(), 1u);
    EXPECT_EQ(registry.FindFont("Small"), registry.Banks.at("Editor").at("Small").get());
    EXPECT_EQ(Service<FontLookup>::Get().FindFont("Small"), registry.FindFont("Small"));
    EXPECT_EQ(Service<FontLookup>::Get().FontName(*registry.FindFont("Small")), "Small");
    registry.UnloadFontBank("Editor");
    EXPECT_EQ(registry.FindFont("Small"), registry.Banks.at("Main").at("Small").get());
}

TEST_F(FontBankTest, AMissingBankFolderIsAContentError) {
    EXPECT_THROW(registry.LoadFontBank("Main"), ContentError);
}

class BadFontTest : public FontBankTest,
                    public ::testing::WithParamInterface<std::pair<std::string, std::string>> {};

TEST_P(BadFontTest, IsAContentErrorNamingTheFile) {
    std::string text = ReadFile(ThirdPartyData("bmfont/edge-cases/test-font-xml.fnt"));
    const auto& [from, to] = GetParam();
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, from.size(), to);
    const auto path = content.Write("Fonts/Main/bad.fnt", text);
    try {
        testing::internal::CaptureStderr();
        registry.LoadFontBank("Main");
        testing::internal::GetCapturedStderr();
        FAIL() << "loaded";
    } catch (const ContentError& e) {
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(e.File(), path.string());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, BadFontTest,
    ::testing::Values(std::make_pair("scaleW=\"256\"", ""),
                      std::make_pair("lineHeight=\"16\"", "lineHeight=\"tall\""),
                      std::make_pair("file=\"test-font_0.png\"", ""), std::make_pair("xadvance=\"17\"", ""),
                      std::make_pair("id=\"70\"", "id=\"F\""), std::make_pair("amount=\"-1\"", ""),
                      std::make_pair("</font>", ""), std::make_pair("<chars count=\"2\">", "<chars><char/>"),
                      std::make_pair("<kernings count=\"1\">", "<kernings><kerning/>"),
                      std::make_pair("scaleW=\"256\"", "scaleW=\"0\""),
                      std::make_pair("scaleH=\"256\"", "scaleH=\"-1\""),
                      std::make_pair("<kernings count=\"1\">", "<kernings>" + Nested(20000))));

} // namespace
