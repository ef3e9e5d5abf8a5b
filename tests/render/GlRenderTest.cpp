#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "SceneBuilder.h"
#include "TestFont.h"
#include "assets/ImageDevice.h"
#include "assets/Texture.h"
#include "assets/TextureImage.h"
#include "core/GraphicsManager.h"
#include "core/Service.h"
#include "platform/Window.h"
#include "render/Renderer.h"
#include "render/gl/GlBackend.h"

namespace {

struct Rgba {
    uint8_t r, g, b, a;
    bool operator==(const Rgba&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgba& c) {
    return out << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a) << ")";
}

// Draws real frames through OpenGL on a hidden-from-nobody window and reads the pixels back.
class GlRenderTest : public ::testing::Test {
protected:
    // One window for the suite: opening and closing displays test after test is slow and flaky.
    static void SetUpTestSuite() {
        if (!std::getenv("DISPLAY")) {
            return;
        }
        try {
            window = Window::CreateDesktop("render test", 1280, 720);
        } catch (const WindowError& e) {
            windowError = e.what();
        }
    }
    static void TearDownTestSuite() { window.reset(); }

    void SetUp() override {
        if (!window) {
            GTEST_SKIP() << (windowError.empty() ? "no display" : windowError);
        }
        auto backend = std::make_unique<GlBackend>(*window, graphics.Width, graphics.Height);
        renderer = std::make_unique<Renderer>(std::move(backend));
        renderer->CreateDevice();
        root.Name = "Root";
    }
    void TearDown() override {
        textures.clear();
        font.reset();
        if (renderer) {
            renderer->Release();
        }
        renderer.reset();
    }

    // A texture from RGBA pixels, as the loader would make it.
    Texture* MakeTexture(int width, int height, const std::vector<uint32_t>& pixels) {
        std::vector<uint8_t> bytes;
        for (uint32_t p : pixels) {
            bytes.insert(bytes.end(), {uint8_t(p >> 24), uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
        }
        auto t = std::make_unique<Texture>();
        t->Image = Service<ImageDevice>::Get().CreateImage(width, height, bytes.data());
        t->PixelWidth = float(width);
        t->PixelHeight = float(height);
        textures.push_back(std::move(t));
        return textures.back().get();
    }

    void Frame() {
        renderer->RequestCapture();
        renderer->RenderFrame(&root, graphics);
        ASSERT_EQ(renderer->LastCapture.Width, 1280);
    }

    Rgba Pixel(int x, int y) const {
        const uint8_t* p = renderer->LastCapture.Pixels.data() +
                           (static_cast<size_t>(y) * 1280 + static_cast<size_t>(x)) * 4;
        return {p[0], p[1], p[2], p[3]};
    }

    GraphicsManager graphics;
    static inline std::unique_ptr<Window> window;
    static inline std::string windowError;
    std::unique_ptr<Renderer> renderer;
    std::vector<std::unique_ptr<Texture>> textures;
    std::unique_ptr<BitmapFont> font;
    GameObject root;
};

TEST_F(GlRenderTest, TheBackBufferIsClearedToTheClearColour) {
    graphics.ClearColor = {10, 20, 30, 255};
    Frame();
    EXPECT_EQ(Pixel(0, 0), (Rgba{10, 20, 30, 255}));
    EXPECT_EQ(Pixel(1279, 719), (Rgba{10, 20, 30, 255}));
}

TEST_F(GlRenderTest, ASpriteAtSixteenPixelsPerUnitIsTexelExact) {
    std::vector<uint32_t> texels;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            texels.push_back(uint32_t(x * 16 + 7) << 24 | uint32_t(y * 16 + 3) << 16 |
                             uint32_t((x ^ y) * 9) << 8 | 0xff);
        }
    }
    Texture* t = MakeTexture(16, 16, texels);
    GameObject* o = AddObject(root, "tile");
    AddPos(*o, {2.5f, -3.5f}); // covers x 2..3 and y -4..-3: pixels 32..47 by 48..63
    AddSprite(*o, t);
    Frame();
    int wrong = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const uint32_t e = texels[static_cast<size_t>(y) * 16 + static_cast<size_t>(x)];
            const Rgba expected{uint8_t(e >> 24), uint8_t(e >> 16), uint8_t(e >> 8), 255};
            if (!(Pixel(32 + x, 48 + y) == expected)) {
                ++wrong;
                ADD_FAILURE() << "texel " << x << "," << y << ": " << Pixel(32 + x, 48 + y)
                              << " != " << expected;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(Pixel(31, 48), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(Pixel(48, 64), (Rgba{0, 0, 0, 255}));
}

TEST_F(GlRenderTest, AMinifiedSpriteIsStillFilteredThroughItsMipmaps) {
    // Columns 3 and 4 of every 8 white: a sample of the full-size image between them is white, the
    // eighth-size level averages the whole run of 8 to a quarter grey.
    std::vector<uint32_t> texels;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            texels.push_back(x % 8 == 3 || x % 8 == 4 ? 0xffffffffu : 0x000000ffu);
        }
    }
    Texture* t = MakeTexture(16, 16, texels);
    GameObject* o = AddObject(root, "far");
    AddPos(*o, {2.0625f, -3.0625f}); // 16 texels onto pixels 32..33 by 48..49
    AddSprite(*o, t, {0.125f, 0.125f});
    Frame();
    for (int x = 32; x < 34; ++x) {
        const Rgba p = Pixel(x, 48);
        EXPECT_NEAR(p.r, 64, 4) << "pixel " << x << ": " << p;
    }
}

TEST_F(GlRenderTest, CombinedAlphaUnderATenthIsDiscarded) {
    graphics.ClearColor = {0, 0, 255, 255};
    Texture* faint = MakeTexture(1, 1, {0xff000019});   // alpha 25
    Texture* visible = MakeTexture(1, 1, {0xff00001a}); // alpha 26
    GameObject* f = AddObject(root, "faint");
    AddPos(*f, {1.0f, -1.0f});
    AddSprite(*f, faint, {2, 2});
    GameObject* v = AddObject(root, "visible");
    AddPos(*v, {5.0f, -1.0f});
    AddSprite(*v, visible, {2, 2});
    Frame();
    EXPECT_EQ(Pixel(16, 16), (Rgba{0, 0, 255, 255}));
    const Rgba drawn = Pixel(80, 16);
    EXPECT_GT(drawn.r, 20);
    EXPECT_LT(drawn.b, 235);
}

TEST_F(GlRenderTest, TranslucentTintsTexelsAndFilteredEdgesStillBlend) {
    graphics.ClearColor = {0, 0, 255, 255};
    Texture* opaque = MakeTexture(1, 1, {0xff0000ff});
    Texture* half = MakeTexture(1, 1, {0xff000080});
    GameObject* tinted = AddObject(root, "tinted");
    AddPos(*tinted, {1.0f, -1.0f});
    AddSprite(*tinted, opaque, {2, 2});
    AddTint(*tinted, {255, 255, 255, 128});
    GameObject* translucent = AddObject(root, "translucent");
    AddPos(*translucent, {5.0f, -1.0f});
    AddSprite(*translucent, half, {2, 2});
    GameObject* solid = AddObject(root, "solid");
    AddPos(*solid, {9.0f, -1.0f});
    AddSprite(*solid, opaque, {2, 2});
    // Linear filtering between an opaque and a transparent texel gives a translucent sample.
    Texture* edge = MakeTexture(2, 1, {0xff0000ff, 0x00000000});
    GameObject* filtered = AddObject(root, "filtered");
    AddPos(*filtered, {13.0f, -1.0f});
    AddSprite(*filtered, edge, {2, 2});
    Frame();
    const Rgba between = Pixel(207, 16); // about halfway between the two texels
    EXPECT_GT(between.b, 60) << between;
    EXPECT_LT(between.r, 100) << between;
    for (int x : {16, 80}) {
        const Rgba p = Pixel(x, 16);
        EXPECT_NEAR(p.r, 128, 2) << "pixel " << x << ": " << p;
        EXPECT_NEAR(p.b, 127, 2) << "pixel " << x << ": " << p;
    }
    EXPECT_EQ(Pixel(144, 16), (Rgba{255, 0, 0, 255}));
}

TEST_F(GlRenderTest, AUiSpriteIsPointSampledUnderTheScreenCamera) {
    // 2 x 2 texels stretched over 64 x 64 screen pixels: nearest sampling keeps four flat squares.
    Texture* t = MakeTexture(2, 2, {0xff0000ff, 0x00ff00ff, 0x0000ffff, 0xffffffff});
    GameObject* o = AddObject(root, "ui");
    AddPos(*o, {1000.0f, 100.0f}); // screen pixels, beyond the world viewport
    AddSprite(*o, t, {64, 64}, DrawLayer::Ui);
    Frame();
    EXPECT_EQ(Pixel(968, 68), (Rgba{255, 0, 0, 255}));  // top left
    EXPECT_EQ(Pixel(999, 99), (Rgba{255, 0, 0, 255}));  // last pixel before the middle
    EXPECT_EQ(Pixel(1000, 99), (Rgba{0, 255, 0, 255})); // top right
    EXPECT_EQ(Pixel(999, 100), (Rgba{0, 0, 255, 255})); // bottom left
    EXPECT_EQ(Pixel(1031, 131), (Rgba{255, 255, 255, 255}));
}

TEST_F(GlRenderTest, LaterObjectsCoverEarlierOnesAcrossTextures) {
    Texture* red = MakeTexture(1, 1, {0xff0000ff});
    Texture* green = MakeTexture(1, 1, {0x00ff00ff});
    GameObject* back = AddObject(root, "back");
    AddPos(*back, {4, -4});
    AddSprite(*back, green, {4, 4});
    GameObject* front = AddObject(root, "front");
    AddPos(*front, {4, -4});
    AddSprite(*front, red, {2, 2});
    GameObject* over = AddObject(root, "over");
    AddPos(*over, {5, -4});
    AddSprite(*over, green, {1, 1}); // batched with "back" yet drawn over "front"
    Frame();
    EXPECT_EQ(Pixel(4 * 16 - 8, 4 * 16), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(Pixel(5 * 16, 4 * 16), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(Pixel(2 * 16 + 2, 4 * 16), (Rgba{0, 255, 0, 255}));
}

TEST_F(GlRenderTest, TextIsUprightInWorldAndScreenLayers) {
    // One glyph page: the top half red, the bottom half blue.
    std::vector<uint32_t> page;
    for (int i = 0; i < 16; ++i) {
        page.push_back(i < 8 ? 0xff0000ff : 0x0000ffff);
    }
    font = MakeUnitFont("A");
    font->Page->Image = Service<ImageDevice>::Get().CreateImage(4, 4, [&] {
        static std::vector<uint8_t> bytes;
        bytes.clear();
        for (uint32_t p : page) {
            bytes.insert(bytes.end(), {uint8_t(p >> 24), uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
        }
        return bytes.data();
    }());
    auto addText = [&](Vector2 pos, float size, DrawLayer layer) {
        GameObject* o = AddObject(root, "text");
        AddPos(*o, pos);
        auto* text = new TextComponent;
        text->Font = font.get();
        text->Text = "A";
        text->FontSize = size;
        text->Layer = layer;
        text->AlignmentY = TextYAlignment::Top;
        o->AddComponent(text);
    };
    addText({10, -10}, 4, DrawLayer::World); // pixels 160..224 by 160..224
    addText({1100, 400}, 64, DrawLayer::Ui); // pixels 1100..1164 by 400..464
    Frame();
    EXPECT_EQ(Pixel(170, 170), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(Pixel(170, 208),
              (Rgba{0, 0, 255, 255})); // inside the blue half, clear of the wrap-around blend
    EXPECT_EQ(Pixel(1110, 410), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(Pixel(1110, 460), (Rgba{0, 0, 255, 255}));
}

} // namespace
