// Text forms of every value type, read and written through sub-properties of field-bound properties.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "reflection/IEditable.h"

namespace {

struct AllTypes : IEditable {
    bool B = false;
    int I = 0;
    float F = 0.0f;
    std::string S;
    Vector2 V;
    Color C;
    Rect R;
    DrawLayer Layer = DrawLayer::World;
    TextXAlignment X = TextXAlignment::Right;
    TextYAlignment Y = TextYAlignment::Bottom;

    AllTypes() {
        RegisterProperty("B", &B);
        RegisterProperty("I", &I);
        RegisterProperty("F", &F);
        RegisterProperty("S", &S);
        RegisterProperty("V", &V);
        RegisterProperty("C", &C);
        RegisterProperty("R", &R);
        RegisterProperty("Layer", &Layer);
        RegisterProperty("X", &X);
        RegisterProperty("Y", &Y);
    }
};

TEST(FloatText, PrintsNineSignificantDigits) {
    AllTypes o;
    const std::pair<float, const char*> cases[] = {
        {0.5f, "0.5"}, {1.0f, "1"}, {0.1f, "0.100000001"}, {-2.25f, "-2.25"}, {1e20f, "1.00000002e+20"}};
    for (auto [value, text] : cases) {
        o.F = value;
        EXPECT_EQ(o.GetPropertyText("F"), text);
    }
}

TEST(FloatText, InfinitiesAndNanInLowerCase) {
    AllTypes o;
    o.F = std::numeric_limits<float>::infinity();
    EXPECT_EQ(o.GetPropertyText("F"), "inf");
    o.F = -o.F;
    EXPECT_EQ(o.GetPropertyText("F"), "-inf");
    o.F = -std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(o.GetPropertyText("F"), "nan");
    EXPECT_TRUE(o.SetPropertyText("F", 0, "inf"));
    EXPECT_TRUE(std::isinf(o.F) && o.F > 0);
    EXPECT_TRUE(o.SetPropertyText("F", 0, "nan"));
    EXPECT_TRUE(std::isnan(o.F));
}

TEST(FloatText, EveryPrintedValueReadsBackExactly) {
    AllTypes o;
    for (float value : {0.1f, 3.14159274f, -1e-38f, 1e-45f, 123456789.0f, 0.0f, -0.0f}) {
        o.F = value;
        std::string text = o.GetPropertyText("F");
        o.F = 42.0f;
        ASSERT_TRUE(o.SetPropertyText("F", 0, text)) << text;
        EXPECT_EQ(o.F, value) << text;
    }
}

TEST(FloatText, StrictParsingKeepsTheValue) {
    AllTypes o;
    o.F = 7.0f;
    for (const char* bad :
         {"", " 1", "1 ", "1.5x", "0x10", "e5", ".", "1e", "--1", "1e50", "infinity", "NaN"}) {
        EXPECT_FALSE(o.SetPropertyText("F", 0, bad)) << bad;
        EXPECT_EQ(o.F, 7.0f) << bad;
    }
    for (auto [text, value] :
         {std::pair{"+2", 2.0f}, {"-.5", -0.5f}, {"3.", 3.0f}, {"1E2", 100.0f}, {"2e-1", 0.2f}}) {
        EXPECT_TRUE(o.SetPropertyText("F", 0, text)) << text;
        EXPECT_EQ(o.F, value) << text;
    }
}

TEST(IntText, DecimalWithSignOnlyWholeText) {
    AllTypes o;
    o.I = -42;
    EXPECT_EQ(o.GetPropertyText("I"), "-42");
    o.I = 5;
    for (const char* bad : {" 5", "5 ", "5.0", "", "+", "2147483648", "-2147483649", "0x5", "5e1"}) {
        EXPECT_FALSE(o.SetPropertyText("I", 0, bad)) << bad;
        EXPECT_EQ(o.I, 5) << bad;
    }
    EXPECT_TRUE(o.SetPropertyText("I", 0, "-2147483648"));
    EXPECT_EQ(o.I, std::numeric_limits<int>::min());
    EXPECT_TRUE(o.SetPropertyText("I", 0, "+17"));
    EXPECT_EQ(o.I, 17);
}

TEST(BoolText, OnlyTrueOneAndTAreTrue) {
    AllTypes o;
    o.B = true;
    EXPECT_EQ(o.GetPropertyText("B"), "true");
    o.B = false;
    EXPECT_EQ(o.GetPropertyText("B"), "false");
    for (const char* yes : {"true", "1", "t"}) {
        o.B = false;
        o.SetPropertyText("B", 0, yes);
        EXPECT_TRUE(o.B) << yes;
    }
    for (const char* no : {"True", "TRUE", "yes", "", " true", "T"}) {
        o.B = true;
        o.SetPropertyText("B", 0, no);
        EXPECT_FALSE(o.B) << no;
    }
}

TEST(StringText, NewlinesEscapedAsBackslashN) {
    AllTypes o;
    o.S = "first\nsecond";
    EXPECT_EQ(o.GetPropertyText("S"), "first\\nsecond");
    o.S.clear();
    o.SetPropertyText("S", 0, "first\\nsecond");
    EXPECT_EQ(o.S, "first\nsecond");
    // Nothing but backslash-n is unescaped, so other backslashes survive both ways.
    o.SetPropertyText("S", 0, "a\\tb\\");
    EXPECT_EQ(o.S, "a\\tb\\");
    // A literal backslash-n cannot be represented: it comes back as a newline.
    o.S = "C:\\new";
    o.SetPropertyText("S", 0, o.GetPropertyText("S"));
    EXPECT_EQ(o.S, "C:\new");
}

TEST(ColorText, AlphaAndRgbParts) {
    AllTypes o;
    o.C = Color(255, 128, 0, 128);
    EXPECT_EQ(o.GetPropertyText("C", 0), "0.501960814");
    EXPECT_EQ(o.GetPropertyText("C", 1), "ff8000");
    o.SetPropertyText("C", 0, "0.501960814");
    EXPECT_EQ(o.C.a, 128); // the nearest alpha: truncation would lose one on every save
    EXPECT_EQ(o.C.r, 255);
    o.C = Color(1, 2, 3, 255);
    EXPECT_EQ(o.GetPropertyText("C", 0), "1");
    EXPECT_EQ(o.GetPropertyText("C", 1), "010203");
}

TEST(ColorText, EveryAlphaSurvivesASaveAndLoad) {
    AllTypes o;
    for (int a = 0; a <= 255; ++a) {
        o.C = Color(1, 2, 3, static_cast<uint8_t>(a));
        const std::string text = o.GetPropertyText("C", 0);
        o.C.a = 0;
        o.SetPropertyText("C", 0, text);
        EXPECT_EQ(o.C.a, a) << text;
    }
}

TEST(ColorText, RgbKeepsAlphaAndAcceptsUpperCase) {
    AllTypes o;
    o.C = Color(0, 0, 0, 77);
    EXPECT_TRUE(o.SetPropertyText("C", 1, "FF8000"));
    EXPECT_EQ(o.C, Color(255, 128, 0, 77));
    EXPECT_TRUE(o.SetPropertyText("C", 1, "ff"));
    EXPECT_EQ(o.C, Color(0, 0, 255, 77));
    for (const char* bad : {"", "1000000", "-1", "0xff", "gg", " ff"}) {
        EXPECT_FALSE(o.SetPropertyText("C", 1, bad)) << bad;
        EXPECT_EQ(o.C, Color(0, 0, 255, 77)) << bad;
    }
}

TEST(ColorText, AlphaKeepsRgbAndClamps) {
    AllTypes o;
    o.C = Color(9, 8, 7, 0);
    o.SetPropertyText("C", 0, "1");
    EXPECT_EQ(o.C, Color(9, 8, 7, 255));
    o.SetPropertyText("C", 0, "0");
    EXPECT_EQ(o.C.a, 0);
    o.SetPropertyText("C", 0, "0.5");
    EXPECT_EQ(o.C.a, 128);
    o.SetPropertyText("C", 0, "7");
    EXPECT_EQ(o.C.a, 255);
    o.SetPropertyText("C", 0, "-1");
    EXPECT_EQ(o.C.a, 0);
    o.C.a = 40;
    EXPECT_FALSE(o.SetPropertyText("C", 0, "nan"));
    EXPECT_FALSE(o.SetPropertyText("C", 0, "half"));
    EXPECT_EQ(o.C, Color(9, 8, 7, 40));
}

TEST(CompoundText, EachPartReplacesOnlyItsComponent) {
    AllTypes o;
    o.V = {1, 2};
    o.R = {1, 2, 3, 4};
    o.SetPropertyText("V", 1, "-5");
    EXPECT_EQ(o.V, Vector2(1, -5));
    o.SetPropertyText("R", 2, "30");
    EXPECT_EQ(o.R, Rect(1, 2, 30, 4));
    o.SetPropertyText("R", 3, "oops");
    EXPECT_EQ(o.R, Rect(1, 2, 30, 4));
    EXPECT_EQ(o.GetPropertyText("R", 3), "4");
}

TEST(EnumText, NamesFromTheTables) {
    AllTypes o;
    EXPECT_EQ(o.GetPropertyText("Layer"), "World");
    o.SetPropertyText("Layer", 0, "EditorText2");
    EXPECT_EQ(o.Layer, DrawLayer::EditorText2);
    o.SetPropertyText("Layer", 0, "world");
    EXPECT_EQ(o.Layer, DrawLayer::EditorText2); // unknown name: unchanged
    o.Layer = static_cast<DrawLayer>(3);
    EXPECT_EQ(o.GetPropertyText("Layer"), "");

    o.SetPropertyText("X", 0, "Center");
    EXPECT_EQ(o.X, TextXAlignment::Center);
    o.SetPropertyText("X", 0, "centre");
    EXPECT_EQ(o.X, TextXAlignment::Left); // unknown name: the first value
    o.SetPropertyText("Y", 0, "Middle");
    EXPECT_EQ(o.GetPropertyText("Y"), "Middle");
    o.SetPropertyText("Y", 0, "middle");
    EXPECT_EQ(o.Y, TextYAlignment::Top);
}

} // namespace
