#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFont.h"
#include "components/TextComponent.h"

namespace {

struct GlyphQuad {
    Rect uv;
    Vector2 size;
    Vector2 offset;
    // Left and top edges of the glyph relative to the anchor, in a y-up layer.
    float Left() const { return -offset.x - size.x / 2; }
    float Top() const { return -offset.y + size.y / 2; }
};

class TextLayoutTest : public ::testing::Test {
protected:
    TextLayoutTest() { text.Font = font.get(); }

    std::vector<std::string> Lines() {
        height = text.BreakLines(lines);
        std::vector<std::string> out;
        for (const TextLine& line : lines) {
            out.push_back(
                text.Text.substr(static_cast<size_t>(line.Start), static_cast<size_t>(line.Length)));
        }
        return out;
    }

    std::vector<GlyphQuad> Quads(bool flipX = false, bool flipY = false) {
        height = text.BreakLines(lines);
        std::vector<GlyphQuad> quads;
        text.EmitGlyphQuads(lines, height, flipX, flipY,
                            [&](const Texture*, const Rect& uv, Vector2 size, Vector2 offset) {
                                quads.push_back({uv, size, offset});
                            });
        return quads;
    }

    std::unique_ptr<BitmapFont> font = MakeUnitFont();
    TextComponent text;
    std::vector<TextLine> lines;
    float height = 0.0f;
};

TEST_F(TextLayoutTest, EmptyTextIsOneEmptyLineAndDrawsNothing) {
    text.Text = "";
    EXPECT_EQ(Lines(), std::vector<std::string>{""});
    EXPECT_EQ(height, 1.0f);
    EXPECT_TRUE(Quads().empty());
}

TEST_F(TextLayoutTest, ANewlineMakesAParagraphGapLine) {
    text.Text = "A\nB";
    text.AlignmentY = TextYAlignment::Top;
    EXPECT_EQ(Lines(), (std::vector<std::string>{"A", "", "B"}));
    EXPECT_FLOAT_EQ(height, 2.75f);
    const auto quads = Quads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_FLOAT_EQ(quads[0].Top(), 0.0f);
    EXPECT_FLOAT_EQ(quads[1].Top(), -1.75f); // after A: LineSpacing, after the gap: ParagraphSpacing
}

TEST_F(TextLayoutTest, WrapsAtTheLastSpaceAndDoesNotDrawThatSpace) {
    text.Text = "aaa bbb";
    text.BoxSize = {5.0f, 0.0f};
    EXPECT_EQ(Lines(), (std::vector<std::string>{"aaa", "bbb"}));
    EXPECT_EQ(lines[0].Width, 3.0f);
    EXPECT_EQ(lines[1].Width, 3.0f);
    EXPECT_FLOAT_EQ(height, 2.0f);
    EXPECT_EQ(Quads().size(), 6u);
}

TEST_F(TextLayoutTest, CenterAlignsEachLineByItsOwnWidth) {
    text.Text = "aaaa bb";
    text.BoxSize = {5.0f, 0.0f};
    text.AlignmentX = TextXAlignment::Center;
    const auto quads = Quads();
    ASSERT_EQ(quads.size(), 6u);
    EXPECT_FLOAT_EQ(quads[0].Left(), -2.0f);
    EXPECT_FLOAT_EQ(quads[4].Left(), -1.0f);
    text.AlignmentX = TextXAlignment::Right;
    EXPECT_FLOAT_EQ(Quads()[4].Left(), -2.0f);
}

TEST_F(TextLayoutTest, ALaterLineWithoutSpaceStopsBreakingAndKeepsItsCharacters) {
    text.Text = "ab\nabcdefgh";
    text.BoxSize = {5.0f, 0.0f};
    EXPECT_EQ(Lines(), (std::vector<std::string>{"ab", "", "abcdef"}));
    EXPECT_EQ(lines[2].Width, 0.0f); // aligned as if empty
}

TEST_F(TextLayoutTest, AFirstLineWithoutSpaceLosesItsFirstCharacter) {
    text.Text = "abcdefg";
    text.BoxSize = {3.0f, 0.0f};
    EXPECT_EQ(Lines(), (std::vector<std::string>{"", "bcde"}));
    EXPECT_FLOAT_EQ(height, 2.0f);
}

TEST_F(TextLayoutTest, ABoxLowerThanOneLineShowsNothing) {
    text.Text = "abc";
    text.BoxSize = {0.0f, 0.5f};
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(Quads().empty());
}

TEST_F(TextLayoutTest, TheBoxHeightCutsOffLaterLines) {
    text.Text = "A\nB\nC";
    text.BoxSize = {0.0f, 2.0f};
    EXPECT_EQ(Lines(), (std::vector<std::string>{"A", ""}));
}

TEST_F(TextLayoutTest, VerticalAlignmentPlacesTheBlockAroundThePosition) {
    text.Text = "A\nB"; // h = 2.75
    text.AlignmentY = TextYAlignment::Middle;
    EXPECT_FLOAT_EQ(Quads()[0].Top(), 1.375f);
    text.AlignmentY = TextYAlignment::Bottom;
    EXPECT_FLOAT_EQ(Quads()[0].Top(), 2.75f);
    EXPECT_FLOAT_EQ(Quads()[1].Top() - 1.0f, 0.0f); // the last line ends on the position
}

TEST_F(TextLayoutTest, FontSizeScalesGlyphsAndLineAdvance) {
    text.Text = "A\nB";
    text.FontSize = 8.0f;
    text.AlignmentY = TextYAlignment::Top;
    const auto quads = Quads();
    EXPECT_EQ(quads[0].size, Vector2(8.0f, 8.0f));
    EXPECT_FLOAT_EQ(quads[1].Top(), -14.0f);
}

TEST_F(TextLayoutTest, KerningMovesTheNextGlyphAndCountsInTheWidth) {
    font->Kernings.emplace('A', std::make_pair(int('V'), -0.25f));
    font->BuildByteTables();
    text.Text = "AV";
    text.AlignmentY = TextYAlignment::Top;
    Lines();
    EXPECT_FLOAT_EQ(lines[0].Width, 1.75f);
    EXPECT_FLOAT_EQ(Quads()[1].Left(), 0.75f);
}

TEST_F(TextLayoutTest, CharactersWithoutGlyphsTakeNoWidthAndDrawEmptyQuads) {
    text.Text = "A\xC6"
                "B";
    const auto quads = Quads();
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_EQ(quads[1].size, Vector2(0.0f, 0.0f));
    EXPECT_FLOAT_EQ(lines[0].Width, 2.0f);
}

TEST_F(TextLayoutTest, UnderAMirroredHeightLinesRunTheOtherWay) {
    text.Text = "A\nB";
    text.AlignmentY = TextYAlignment::Top;
    const auto quads = Quads(false, true);
    // With dy = -1 the pen moves towards +y, which the screen camera shows as downwards.
    EXPECT_FLOAT_EQ(quads[1].offset.y - quads[0].offset.y, -1.75f);
}

} // namespace
