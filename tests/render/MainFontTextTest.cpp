#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include "SceneBuilder.h"
#include "assets/FontRegistry.h"
#include "assets/Texture.h"
#include "core/GraphicsManager.h"
#include "core/Service.h"
#include "platform/Image.h"
#include "platform/Window.h"
#include "render/Renderer.h"
#include "render/gl/GlBackend.h"

namespace {

namespace fs = std::filesystem;

// The menus and the HUD draw each font of the "Main" bank at the pixel size its source recipe
// names. Point-sampled under the screen camera, every glyph must then come out texel for texel:
// a glyph scaled even slightly loses whole rows, such as the one-pixel crossbar of a small "T", and
// one straddling pixels (centred text of odd width) repeats a texel column and drops another.
TEST(MainFontTextTest, EveryGlyphAtItsFontsOwnSizeIsDrawnTexelForTexel) {
    const fs::path content = fs::path(KELVANE_BIN_DIR) / "Content";
    const fs::path sources = fs::path(KELVANE_SOURCE_DIR) / "content/Fonts/Main/Sources";
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "no display";
    }
    if (!fs::exists(content / "Fonts/Main")) {
        GTEST_SKIP() << "the Main banks are not built";
    }
    std::unique_ptr<Window> window;
    try {
        window = Window::CreateDesktop("main font text", 1280, 720);
    } catch (const WindowError& e) {
        GTEST_SKIP() << e.what();
    }
    GraphicsManager graphics;
    graphics.ClearColor = {0, 0, 0, 255};
    Renderer renderer(std::make_unique<GlBackend>(*window, 1280, 720));
    renderer.CreateDevice();
    {
        FontRegistry fonts(content.string());
        Service<FontLookup>::Scoped fontsLookup{fonts};
        fonts.LoadFontBank("Main");
        int fontsChecked = 0;
        for (const auto& entry : fs::directory_iterator(sources)) {
            const std::string name = entry.path().stem().string();
            boost::property_tree::ptree recipe;
            boost::property_tree::read_json(entry.path().string(), recipe);
            const int size = recipe.get<int>("PixelSize");
            const BitmapFont* font = fonts.FindFont(name);
            ASSERT_NE(font, nullptr) << name;
            const DecodedImage page = DecodeImageFile((content / "Fonts/Main" / (name + "_0.png")).string());
            ASSERT_FALSE(page.Empty()) << name;

            // One text object per character, left and top aligned, in a grid; every other one half a
            // pixel off the grid, where its glyph is drawn on the next whole pixel.
            GameObject root;
            root.Name = "Root";
            struct Placed {
                char c;
                int left;
                int top;
            };
            std::vector<Placed> placed;
            const int cell = size * 2;
            int left = 8;
            int top = 8;
            for (char c = '!'; c <= '~'; ++c) {
                if (left + cell > 1272) {
                    left = 8;
                    top += cell;
                }
                GameObject* o = AddObject(root, std::string(1, c));
                const float half = (c % 2) * 0.5f;
                AddPos(*o, {static_cast<float>(left) + half, static_cast<float>(top) + half});
                auto* text = new TextComponent;
                text->Font = const_cast<BitmapFont*>(font);
                text->Text = std::string(1, c);
                text->FontSize = static_cast<float>(size);
                text->AlignmentY = TextYAlignment::Top;
                text->Layer = DrawLayer::Ui;
                o->AddComponent(text);
                placed.push_back({c, left + c % 2, top + c % 2});
                left += cell;
            }
            ASSERT_LE(top + cell, 712) << name << " does not fit one frame";
            renderer.RequestCapture();
            renderer.RenderFrame(&root, graphics);
            const DecodedImage& shot = renderer.LastCapture;
            ASSERT_EQ(shot.Width, 1280);

            // White glyphs over black: each pixel's red is its texel's alpha, or black where the
            // alpha is under the tenth that the pixel shader discards.
            int wrong = 0;
            std::string firstWrong;
            for (const Placed& p : placed) {
                const Glyph& g = font->ByteGlyph(p.c);
                const int gx = static_cast<int>(g.x * page.Width + 0.5f);
                const int gy = static_cast<int>(g.y * page.Height + 0.5f);
                const int gw = static_cast<int>(g.width * page.Width + 0.5f);
                const int gh = static_cast<int>(g.height * page.Height + 0.5f);
                const int ox = static_cast<int>(std::lround(g.xoffset * page.Width));
                const int oy = static_cast<int>(std::lround(g.yoffset * page.Height));
                ASSERT_GT(gw * gh, 0) << name << " '" << p.c << "'";
                for (int y = 0; y < gh; ++y) {
                    for (int x = 0; x < gw; ++x) {
                        const int alpha =
                            page.Pixels[(static_cast<size_t>(gy + y) * page.Width + gx + x) * 4 + 3];
                        const int expected = alpha < 26 ? 0 : alpha;
                        const int px = p.left + ox + x;
                        const int py = p.top + oy + y;
                        const int red = shot.Pixels[(static_cast<size_t>(py) * 1280 + px) * 4];
                        if (std::abs(red - expected) > 1) {
                            if (wrong++ == 0) {
                                firstWrong = "'" + std::string(1, p.c) + "' texel " + std::to_string(x) +
                                             "," + std::to_string(y) + ": drawn " + std::to_string(red) +
                                             ", page " + std::to_string(expected);
                            }
                        }
                    }
                }
            }
            EXPECT_EQ(wrong, 0) << name << " at " << size << " pixels, first " << firstWrong;
            ++fontsChecked;
        }
        EXPECT_EQ(fontsChecked, 5);
        fonts.UnloadFontBank("Main");
    }
    renderer.Release();
}

} // namespace
