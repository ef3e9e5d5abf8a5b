#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "SceneBuilder.h"
#include "assets/FontRegistry.h"
#include "assets/Texture.h"
#include "assets/TextureManager.h"
#include "core/GraphicsManager.h"
#include "core/Service.h"
#include "platform/Image.h"
#include "platform/Window.h"
#include "render/Renderer.h"
#include "render/gl/GlBackend.h"

namespace {

// A frame drawn from the game's own "Main" banks, checked on its pixels and kept as a PNG beside the
// test binary (main-bank-frame.png) for a look.
TEST(MainBankFrameTest, SpritesAndTextFromTheMainBanksAreDrawnExactly) {
    const std::filesystem::path content = std::filesystem::path(KELVANE_BIN_DIR) / "Content";
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "no display";
    }
    if (!std::filesystem::exists(content / "Textures/Main/Game.xml")) {
        GTEST_SKIP() << "the Main banks are not built";
    }
    std::unique_ptr<Window> window;
    try {
        window = Window::CreateDesktop("main bank frame", 1280, 720);
    } catch (const WindowError& e) {
        GTEST_SKIP() << e.what();
    }
    GraphicsManager graphics;
    graphics.ClearColor = {0, 0, 0, 255};
    Renderer renderer(std::make_unique<GlBackend>(*window, 1280, 720));
    renderer.CreateDevice();
    {
        TextureManager textures(content.string());
        Service<TextureLookup>::Scoped texturesLookup{textures};
        FontRegistry fonts(content.string());
        Service<FontLookup>::Scoped fontsLookup{fonts};
        textures.LoadTextureBank("Main");
        fonts.LoadFontBank("Main");
        Texture* game = textures.FindTexture("Game");
        ASSERT_NE(game, nullptr);
        ASSERT_NE(textures.FindTexture("Editor"), nullptr);
        ASSERT_NE(fonts.FindFont("Normal"), nullptr);

        GameObject root;
        root.Name = "Root";
        // Every sprite of "Game" at its own pixel size, in rows, top-left corners on whole pixels.
        struct Placed {
            int index;
            int left;
            int top;
        };
        std::vector<Placed> placed;
        int penX = 16;
        int penY = 16;
        int rowHeight = 0;
        for (int i = 0; i < game->SpriteCount(); ++i) {
            const Rect uv = game->UvRects[static_cast<size_t>(i)];
            const Rect trim = game->TrimRects[static_cast<size_t>(i)];
            const float fullW = uv.width * game->PixelWidth / trim.width;
            const float fullH = uv.height * game->PixelHeight / trim.height;
            if (penX + fullW > 940) {
                penX = 16;
                penY += rowHeight + 4;
                rowHeight = 0;
            }
            if (penY + fullH > 600) {
                break;
            }
            GameObject* o = AddObject(root, game->SpriteNames[static_cast<size_t>(i)]);
            AddPos(*o, {(penX + fullW / 2) / 16.0f, -(penY + fullH / 2) / 16.0f});
            SpriteComponent* s = AddSprite(*o, game, {fullW / 16.0f, fullH / 16.0f});
            s->SelectSprite(i);
            placed.push_back({i, penX, penY});
            penX += static_cast<int>(fullW) + 4;
            rowHeight = std::max(rowHeight, static_cast<int>(fullH));
        }
        GameObject* label = AddObject(root, "label");
        AddPos(*label, {1100, 360});
        auto* text = new TextComponent;
        text->SetPropertyText("Font", 0, "Normal");
        text->Text = "Kelvane\nDepth 42";
        text->FontSize = 38;
        text->AlignmentX = TextXAlignment::Center;
        text->Layer = DrawLayer::Ui;
        label->AddComponent(text);
        ASSERT_EQ(text->Font, fonts.FindFont("Normal"));

        renderer.RequestCapture();
        renderer.RenderFrame(&root, graphics);
        const DecodedImage& shot = renderer.LastCapture;
        ASSERT_EQ(shot.Width, 1280);
        WritePngFile((std::filesystem::path(KELVANE_BIN_DIR) / "main-bank-frame.png").string(), shot.Width,
                     shot.Height, shot.Pixels.data());

        // Opaque texels land unchanged on their pixels (16 pixels per unit, untouched by filtering).
        const DecodedImage sheet = DecodeImageFile((content / "Textures/Main/Game.sheet").string());
        ASSERT_FALSE(sheet.Empty());
        int compared = 0;
        int wrong = 0;
        for (const Placed& p : placed) {
            const Rect uv = game->UvRects[static_cast<size_t>(p.index)];
            const Rect trim = game->TrimRects[static_cast<size_t>(p.index)];
            const int sx = static_cast<int>(uv.x * game->PixelWidth + 0.5f);
            const int sy = static_cast<int>(uv.y * game->PixelHeight + 0.5f);
            const int w = static_cast<int>(uv.width * game->PixelWidth + 0.5f);
            const int h = static_cast<int>(uv.height * game->PixelHeight + 0.5f);
            const int ox = static_cast<int>(trim.x * (w / trim.width) + 0.5f);
            const int oy = static_cast<int>(trim.y * (h / trim.height) + 0.5f);
            // Interior texels only: the edges of a sub-image blend with the extruded border.
            for (int y = 1; y + 1 < h; ++y) {
                for (int x = 1; x + 1 < w; ++x) {
                    const uint8_t* t = sheet.Pixels.data() +
                                       (static_cast<size_t>(sy + y) * static_cast<size_t>(sheet.Width) +
                                        static_cast<size_t>(sx + x)) *
                                           4;
                    if (t[3] != 255) {
                        continue;
                    }
                    const int px = p.left + ox + x;
                    const int py = p.top + oy + y;
                    const uint8_t* d =
                        shot.Pixels.data() + (static_cast<size_t>(py) * 1280 + static_cast<size_t>(px)) * 4;
                    ++compared;
                    if (d[0] != t[0] || d[1] != t[1] || d[2] != t[2]) {
                        ++wrong;
                    }
                }
            }
        }
        EXPECT_GT(compared, 1000);
        EXPECT_EQ(wrong, 0) << "of " << compared;

        // The text: bright pixels inside its box, none above or below it.
        auto bright = [&](int x0, int y0, int x1, int y1) {
            int n = 0;
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    n += shot.Pixels[(static_cast<size_t>(y) * 1280 + static_cast<size_t>(x)) * 4] > 128;
                }
            }
            return n;
        };
        EXPECT_GT(bright(970, 300, 1240, 420), 500);
        EXPECT_EQ(bright(970, 200, 1240, 290), 0);
        EXPECT_EQ(bright(970, 430, 1240, 520), 0);
        textures.UnloadTextureBank("Main");
        fonts.UnloadFontBank("Main");
    }
    renderer.Release();
}

} // namespace
