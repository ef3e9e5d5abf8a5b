// A frame shaped like the game's in a 1280 x 720 window, presented: a screenful of opaque 16-pixel
// tiles (one in five cells left empty, as water) under the World camera, and the 320 x 720 HUD
// panel point-sampled beside it. Drawn by the renderer through OpenGL and by SDL_Renderer (opengl
// driver) from the same images, so the ratio says what the renderer's own frame costs on the driver
// at hand; on a machine without a graphics card that is Mesa's software rasteriser.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BenchSprites.h"
#include "FrameTimer.h"
#include "assets/ImageDevice.h"
#include "assets/Texture.h"
#include "assets/TextureImage.h"
#include "components/SpriteComponent.h"
#include "core/DrawLayer.h"
#include "core/GameObject.h"
#include "core/GraphicsManager.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "platform/Window.h"
#include "render/Renderer.h"
#include "render/gl/GlBackend.h"

namespace {

constexpr int TileAtlasSize = 256; // 16 x 16 images of 16 x 16 pixels
constexpr int TilePixels = 16;
constexpr int ViewColumns = 60; // the World view: 960 x 720 pixels
constexpr int ViewRows = 45;
constexpr int PanelWidth = 320;
constexpr int PanelHeight = 720;

// Opaque texels with some variety, so no driver can treat an image as one colour.
std::vector<uint8_t> Pixels(int width, int height, int seed) {
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    for (size_t i = 0; i < rgba.size(); i += 4) {
        const int p = static_cast<int>(i / 4);
        rgba[i] = static_cast<uint8_t>(p * 7 + seed);
        rgba[i + 1] = static_cast<uint8_t>(p / width * 3 + seed);
        rgba[i + 2] = static_cast<uint8_t>((p % width) * 5);
        rgba[i + 3] = 255;
    }
    return rgba;
}

// The cells drawn, column and row from the view's top-left corner, with their tile image.
struct Cell {
    int Column;
    int Row;
    int Image;
};

std::vector<Cell> Cells() {
    std::vector<Cell> cells;
    for (int row = 0; row < ViewRows; ++row) {
        for (int column = 0; column < ViewColumns; ++column) {
            if ((column * 7 + row * 3) % 5 != 0) {
                cells.push_back({column, row, (column + row * 5) % 256});
            }
        }
    }
    return cells;
}

// The figure is the CPU time of every thread of the process a frame, the driver's rasteriser
// threads included: on a shared, loaded machine it moves far less than the wall-clock time.
void Record(benchmark::State& state, const FrameTimer& timer) {
    state.counters["frame_ms"] = timer.WallNsPerFrame / 1e6;
    state.counters["process_cpu_ms"] = timer.ProcessNsPerFrame / 1e6;
}

void BM_WindowFrameOpenGl(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no display");
        return;
    }
    std::unique_ptr<Window> window = Window::CreateDesktop("window frame bench", 1280, 720);
    Renderer renderer(std::make_unique<GlBackend>(*window, 1280, 720));
    renderer.CreateDevice();
    GraphicsManager graphics;
    {
        Texture tiles;
        tiles.PixelWidth = tiles.PixelHeight = TileAtlasSize;
        tiles.Image = Service<ImageDevice>::Get().CreateImage(TileAtlasSize, TileAtlasSize,
                                                              Pixels(TileAtlasSize, TileAtlasSize, 1).data());
        const float side = static_cast<float>(TilePixels) / TileAtlasSize;
        for (int i = 0; i < 256; ++i) {
            tiles.UvRects.emplace_back(static_cast<float>(i % 16) * side, static_cast<float>(i / 16) * side,
                                       side, side);
            tiles.TrimRects.emplace_back(0, 0, 1, 1);
            tiles.SpriteNames.push_back("t" + std::to_string(i));
            tiles.SpriteIndex[tiles.SpriteNames.back()] = i;
        }
        Texture panel;
        panel.PixelWidth = PanelWidth;
        panel.PixelHeight = PanelHeight;
        panel.Image = Service<ImageDevice>::Get().CreateImage(PanelWidth, PanelHeight,
                                                              Pixels(PanelWidth, PanelHeight, 2).data());
        panel.UvRects.emplace_back(0, 0, 1, 1);
        panel.TrimRects.emplace_back(0, 0, 1, 1);
        panel.SpriteNames.push_back("Panel");
        panel.SpriteIndex["Panel"] = 0;

        GameObject root;
        for (const Cell& cell : Cells()) {
            auto* o = new GameObject;
            auto* pos = new Pos2dComponent;
            pos->Pos = {static_cast<float>(cell.Column) + 0.5f, -static_cast<float>(cell.Row) - 0.5f};
            o->AddComponent(pos);
            auto* sprite = new SpriteComponent;
            sprite->SetTexture(&tiles);
            sprite->SelectSprite(cell.Image);
            sprite->Size = {1.0f, 1.0f};
            o->AddComponent(sprite);
            root.AppendChild(o);
        }
        auto* hud = new GameObject;
        auto* pos = new Pos2dComponent;
        pos->Pos = {1280.0f - PanelWidth / 2.0f, PanelHeight / 2.0f};
        hud->AddComponent(pos);
        auto* sprite = new SpriteComponent;
        sprite->SetTexture(&panel);
        sprite->SelectSprite(0);
        sprite->Size = {static_cast<float>(PanelWidth), static_cast<float>(PanelHeight)};
        sprite->Layer = DrawLayer::Ui;
        hud->AddComponent(sprite);
        root.AppendChild(hud);

        renderer.RenderFrame(&root, graphics);
        renderer.RenderFrame(&root, graphics);
        long frames = 0;
        FrameTimer timer;
        timer.Start();
        for (auto _ : state) {
            renderer.RenderFrame(&root, graphics);
            ++frames;
        }
        timer.Stop(frames);
        Record(state, timer);
    }
    renderer.Release();
}
BENCHMARK(BM_WindowFrameOpenGl)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(WindowFrames)
    ->Repetitions(BenchDrawnRepetitions);

void BM_WindowFrameSdlRenderer(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no display");
        return;
    }
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    SDL_Window* window = SDL_CreateWindow("sdl window frame bench", SDL_WINDOWPOS_UNDEFINED,
                                          SDL_WINDOWPOS_UNDEFINED, 1280, 720, SDL_WINDOW_OPENGL);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
    SDL_RendererInfo info{};
    if (!renderer || SDL_GetRendererInfo(renderer, &info) != 0 || SDL_strcmp(info.name, "opengl") != 0) {
        state.SkipWithError("no opengl SDL_Renderer");
        if (renderer) {
            SDL_DestroyRenderer(renderer);
        }
        if (window) {
            SDL_DestroyWindow(window);
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return;
    }
    auto makeTexture = [&](int width, int height, int seed, SDL_ScaleMode mode) {
        SDL_Texture* texture =
            SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC, width, height);
        SDL_UpdateTexture(texture, nullptr, Pixels(width, height, seed).data(), width * 4);
        // Blending on, as for every sprite of the game: the images could hold transparent texels.
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(texture, mode);
        return texture;
    };
    // The World layer samples linearly, the HUD by nearest texel.
    SDL_Texture* tiles = makeTexture(TileAtlasSize, TileAtlasSize, 1, SDL_ScaleModeLinear);
    SDL_Texture* panel = makeTexture(PanelWidth, PanelHeight, 2, SDL_ScaleModeNearest);
    const std::vector<Cell> cells = Cells();
    auto drawFrame = [&] {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        for (const Cell& cell : cells) {
            const SDL_Rect source{(cell.Image % 16) * TilePixels, (cell.Image / 16) * TilePixels, TilePixels,
                                  TilePixels};
            const SDL_FRect target{static_cast<float>(cell.Column * TilePixels),
                                   static_cast<float>(cell.Row * TilePixels), TilePixels, TilePixels};
            SDL_RenderCopyF(renderer, tiles, &source, &target);
        }
        const SDL_FRect hud{1280.0f - PanelWidth, 0.0f, PanelWidth, PanelHeight};
        SDL_RenderCopyF(renderer, panel, nullptr, &hud);
        SDL_RenderPresent(renderer);
    };
    drawFrame();
    drawFrame();
    long frames = 0;
    FrameTimer timer;
    timer.Start();
    for (auto _ : state) {
        drawFrame();
        ++frames;
    }
    timer.Stop(frames);
    Record(state, timer);
    SDL_DestroyTexture(panel);
    SDL_DestroyTexture(tiles);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
BENCHMARK(BM_WindowFrameSdlRenderer)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(WindowFrames)
    ->Repetitions(BenchDrawnRepetitions);

} // namespace
