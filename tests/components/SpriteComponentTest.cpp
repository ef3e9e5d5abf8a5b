#include <gtest/gtest.h>

#include <memory>

#include "assets/Texture.h"
#include "components/SpriteComponent.h"
#include "core/GameObject.h"
#include "core/Pos2dComponent.h"

namespace {

// Three sprites side by side in a 64 x 16 image, without reading any file.
std::unique_ptr<Texture> MakeStrip() {
    auto t = std::make_unique<Texture>();
    t->Name = "Strip";
    t->PixelWidth = 64;
    t->PixelHeight = 16;
    const char* names[] = {"Zero", "One", "Two"};
    for (int i = 0; i < 3; ++i) {
        t->UvRects.emplace_back(i * 0.25f, 0.0f, 0.25f, 1.0f);
        t->TrimRects.emplace_back(0.0f, 0.0f, 1.0f, 1.0f - i * 0.25f);
        t->SpriteNames.push_back(names[i]);
        t->SpriteIndex[names[i]] = i;
    }
    return t;
}

class SpriteComponentTest : public ::testing::Test {
protected:
    std::unique_ptr<Texture> strip = MakeStrip();
    SpriteComponent sprite;
};

TEST_F(SpriteComponentTest, StartsUnselectedWithFullTextureRectangles) {
    EXPECT_EQ(sprite.SelectedIndex, -1);
    EXPECT_EQ(sprite.UvRect, Rect(0, 0, 1, 1));
    EXPECT_EQ(sprite.TrimRect, Rect(0, 0, 1, 1));
    EXPECT_EQ(sprite.GetPropertyText("Layer"), "World");
    EXPECT_EQ(sprite.GetPropertyText("ImageName"), "");
}

TEST_F(SpriteComponentTest, ImageNameBeforeTextureSelectsWhenTheTextureArrives) {
    ASSERT_TRUE(sprite.SetPropertyText("ImageName", 0, "Two"));
    EXPECT_EQ(sprite.GetPropertyText("ImageName"), "Two"); // pending
    sprite.SetTexture(strip.get());
    EXPECT_EQ(sprite.SelectedIndex, 2);
    EXPECT_EQ(sprite.UvRect, strip->UvRects[2]);
    EXPECT_EQ(sprite.TrimRect, strip->TrimRects[2]);
    EXPECT_EQ(sprite.PendingName(), nullptr);
}

TEST_F(SpriteComponentTest, TextureBeforeImageNameGivesTheSameSelection) {
    sprite.SetTexture(strip.get());
    EXPECT_EQ(sprite.SelectedIndex, -1); // a texture alone selects nothing
    sprite.SetImageName("Two");
    EXPECT_EQ(sprite.SelectedIndex, 2);
    EXPECT_EQ(sprite.GetImageName(), "Two");
}

TEST_F(SpriteComponentTest, AnUnknownNameSelectsSpriteZero) {
    sprite.SetTexture(strip.get());
    sprite.SetImageName("Missing");
    EXPECT_EQ(sprite.SelectedIndex, 0);
    EXPECT_EQ(sprite.GetImageName(), "Zero");
}

TEST_F(SpriteComponentTest, ANewTextureWithoutPendingNameKeepsTheRectangles) {
    sprite.SetTexture(strip.get());
    sprite.SetImageName("One");
    auto other = MakeStrip();
    sprite.SetTexture(other.get());
    EXPECT_EQ(sprite.SelectedIndex, 1);
    EXPECT_EQ(sprite.UvRect, strip->UvRects[1]);
}

TEST_F(SpriteComponentTest, StashAndRestoreReselectByName) {
    sprite.SetTexture(strip.get());
    sprite.SetImageName("One");
    sprite.StashImageName();
    // The atlas is re-packed: "One" moves to index 0.
    strip->SpriteIndex = {{"One", 0}, {"Zero", 1}, {"Two", 2}};
    sprite.RestoreImageName();
    EXPECT_EQ(sprite.SelectedIndex, 0);
    EXPECT_EQ(sprite.PendingName(), nullptr);
}

TEST_F(SpriteComponentTest, APendingNameGoesWithItsComponent) {
    const std::string* pending = nullptr;
    {
        SpriteComponent temporary;
        temporary.SetImageName("Two");
        pending = temporary.PendingName();
        ASSERT_NE(pending, nullptr);
    }
    SpriteComponent fresh;
    EXPECT_EQ(fresh.PendingName(), nullptr);
}

TEST_F(SpriteComponentTest, QuadOfAnUntrimmedSpriteIsItsFrameMinusTheOrigin) {
    sprite.Size = {2.0f, 1.0f};
    sprite.Origin = {0.5f, 0.0f};
    EXPECT_EQ(sprite.QuadSize(), Vector2(2.0f, 1.0f));
    // Corners relative to the anchor: -size/2 - offset .. size/2 - offset; at (10, 5):
    // (8.5, 4.5)..(10.5, 5.5).
    const Vector2 offset = sprite.QuadOffset();
    EXPECT_EQ(Vector2(10.0f - 1.0f - offset.x, 5.0f - 0.5f - offset.y), Vector2(8.5f, 4.5f));
    EXPECT_EQ(Vector2(10.0f + 1.0f - offset.x, 5.0f + 0.5f - offset.y), Vector2(10.5f, 5.5f));
}

TEST_F(SpriteComponentTest, QuadOfATrimmedSpritePlacesThePackedPartInTheFrame) {
    sprite.Size = {4.0f, 4.0f};
    sprite.TrimRect = {0.25f, 0.0f, 0.5f, 1.0f};
    EXPECT_EQ(sprite.QuadSize(), Vector2(2.0f, 4.0f));
    EXPECT_EQ(sprite.QuadOffset(), Vector2(0.0f, 0.0f));
    sprite.TrimRect = {0.0f, 0.0f, 0.5f, 0.5f};
    EXPECT_EQ(sprite.QuadOffset(), Vector2(-1.0f, -1.0f));
}

TEST_F(SpriteComponentTest, WorldBoundsIgnoreRotationAndTrim) {
    GameObject object;
    auto* pos = new Pos2dComponent;
    pos->Pos = {10.0f, 5.0f};
    pos->Rotation = 0.7f;
    object.AddComponent(pos);
    auto* s = new SpriteComponent;
    s->Size = {2.0f, 1.0f};
    s->Origin = {0.5f, 0.0f};
    s->TrimRect = {0.25f, 0.0f, 0.5f, 1.0f};
    object.AddComponent(s);
    EXPECT_EQ(object.Sprite(), s);
    EXPECT_EQ(s->WorldBounds(), Rect(8.5f, 4.5f, 2.0f, 1.0f));
}

} // namespace
