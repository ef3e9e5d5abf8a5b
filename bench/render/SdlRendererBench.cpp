// SDL2's own SDL_Renderer (opengl driver, batching on) drawing the same sprites as the renderer's
// benchmarks, one SDL_RenderCopyEx per sprite with its tint set as colour and alpha modulation.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "AllocationCounter.h"
#include "BenchSprites.h"
#include "FrameTimer.h"

namespace {

void BM_SdlRendererFrame(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no display");
        return;
    }
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    // Linear filtering, as the renderer's World pass samples: the frame comparison is like for like.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    SDL_Window* window = SDL_CreateWindow("sdl renderer bench", SDL_WINDOWPOS_UNDEFINED,
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
    SDL_Texture* atlas = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC,
                                           BenchAtlasSize, BenchAtlasSize);
    const std::vector<uint8_t> pixels = MakeBenchAtlasPixels();
    SDL_UpdateTexture(atlas, nullptr, pixels.data(), BenchAtlasSize * 4);
    SDL_SetTextureBlendMode(atlas, SDL_BLENDMODE_BLEND);

    // The World camera's mapping: 16 pixels per unit, y down, the view's top-left corner at (0, 0).
    const std::vector<BenchSprite> sprites = MakeBenchSprites(count);
    const float side = BenchSpriteUnits * BenchPixelsPerUnit;
    auto drawFrame = [&] {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        for (const BenchSprite& s : sprites) {
            const SDL_Rect source{(s.Image % 8) * BenchImagePitch, (s.Image / 8) * BenchImagePitch,
                                  BenchImagePixels, BenchImagePixels};
            const SDL_FRect target{s.Pos.x * BenchPixelsPerUnit - side / 2,
                                   -s.Pos.y * BenchPixelsPerUnit - side / 2, side, side};
            SDL_SetTextureColorMod(atlas, s.Tint.r, s.Tint.g, s.Tint.b);
            SDL_SetTextureAlphaMod(atlas, s.Tint.a);
            // SDL turns clockwise on screen: the world's counter-clockwise turn with y flipped.
            SDL_RenderCopyExF(renderer, atlas, &source, &target, -s.Rotation * 57.29578f, nullptr,
                              SDL_FLIP_NONE);
        }
        SDL_RenderPresent(renderer);
    };
    drawFrame();
    drawFrame();
    const long before = AllocationCount();
    long frames = 0;
    FrameTimer timer;
    timer.Start();
    for (auto _ : state) {
        drawFrame();
        ++frames;
    }
    timer.Stop(frames);
    state.counters["frame_ns_per_quad"] = timer.WallNsPerFrame / count;
    state.counters["cpu_ns_per_quad"] = timer.CpuNsPerFrame / count;
    state.counters["process_ns_per_quad"] = timer.ProcessNsPerFrame / count;
    state.counters["allocs_per_frame"] =
        static_cast<double>(AllocationCount() - before) / static_cast<double>(frames);
    SDL_DestroyTexture(atlas);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
BENCHMARK(BM_SdlRendererFrame)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(BenchDrawnFrames)
    ->Repetitions(BenchDrawnRepetitions);

} // namespace
