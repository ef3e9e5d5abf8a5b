// The logical 1280 x 720 screen in windows of several sizes: where the picture lands and where a
// window pixel points back to.
#include <gtest/gtest.h>

#include "platform/Letterbox.h"

namespace {

constexpr int W = 1280;
constexpr int H = 720;

struct Fitted {
    int windowWidth, windowHeight;
    int x, y, width, height;
};

TEST(LetterboxTest, TheLargestWholeFactorThatFitsElseTheLargestFraction) {
    const Fitted cases[] = {
        {1280, 720, 0, 0, 1280, 720},      // the window it opens at
        {1920, 1080, 320, 180, 1280, 720}, // 1.5 would fit, 1 is the largest whole factor
        {2560, 1440, 0, 0, 2560, 1440},    // exactly twice
        {3840, 2160, 0, 0, 3840, 2160},    // three times
        {2600, 1600, 20, 80, 2560, 1440},  // bars on all four sides
        {1600, 900, 160, 90, 1280, 720},   // the test display
        {1280, 1024, 0, 152, 1280, 720},   // taller than wide enough: bars above and below
        {640, 360, 0, 0, 640, 360},        // half: fractional
        {1000, 720, 0, 78, 1000, 563},     // too narrow: fraction 0.78125, bars above and below
        {1280, 500, 195, 0, 889, 500},     // too low: bars left and right
    };
    for (const Fitted& c : cases) {
        const Letterbox box = Letterbox::Fit(c.windowWidth, c.windowHeight, W, H);
        SCOPED_TRACE(std::to_string(c.windowWidth) + "x" + std::to_string(c.windowHeight));
        EXPECT_EQ(box.X, c.x);
        EXPECT_EQ(box.Y, c.y);
        EXPECT_EQ(box.Width, c.width);
        EXPECT_EQ(box.Height, c.height);
    }
    const Letterbox minimised = Letterbox::Fit(0, 0, W, H);
    EXPECT_EQ(minimised.Width, 0);
    EXPECT_EQ(minimised.Height, 0);
}

TEST(LetterboxTest, WindowPixelsMapBackToWholeLogicalPixels) {
    float x = 0;
    float y = 0;
    // One to one.
    Letterbox::Fit(1280, 720, W, H).ToLogical(321, 123, W, H, x, y);
    EXPECT_EQ(x, 321.0f);
    EXPECT_EQ(y, 123.0f);
    // Twice: both window pixels of a logical pixel point at it.
    const Letterbox twice = Letterbox::Fit(2560, 1440, W, H);
    twice.ToLogical(642, 246, W, H, x, y);
    EXPECT_EQ(x, 321.0f);
    EXPECT_EQ(y, 123.0f);
    twice.ToLogical(643, 247, W, H, x, y);
    EXPECT_EQ(x, 321.0f);
    EXPECT_EQ(y, 123.0f);
    twice.ToLogical(2559, 1439, W, H, x, y);
    EXPECT_EQ(x, 1279.0f);
    EXPECT_EQ(y, 719.0f);
    // Centred on a larger screen: the bars lie outside the logical screen.
    const Letterbox centred = Letterbox::Fit(1600, 900, W, H);
    centred.ToLogical(160, 90, W, H, x, y);
    EXPECT_EQ(x, 0.0f);
    EXPECT_EQ(y, 0.0f);
    centred.ToLogical(100, 50, W, H, x, y);
    EXPECT_LT(x, 0.0f);
    EXPECT_LT(y, 0.0f);
    centred.ToLogical(1500, 850, W, H, x, y);
    EXPECT_GE(x, 1280.0f);
    EXPECT_GE(y, 720.0f);
    // Half size: every window pixel covers two logical ones.
    Letterbox::Fit(640, 360, W, H).ToLogical(320, 180, W, H, x, y);
    EXPECT_EQ(x, 640.0f);
    EXPECT_EQ(y, 360.0f);
    // Fullscreen 1920 x 1080 at factor 1 (centred), the HUD's corner pixel.
    Letterbox::Fit(1920, 1080, W, H).ToLogical(320 + 1279, 180 + 719, W, H, x, y);
    EXPECT_EQ(x, 1279.0f);
    EXPECT_EQ(y, 719.0f);
}

} // namespace
