// Renderer figures for 50,000 tinted, rotated 8-pixel quads from one atlas: the CPU path (traversal,
// AddQuad, FlushPass) with a backend that draws nothing (also for 3,000 quads, about a screenful of
// tiles, and 1,000, whose objects stay in cache) against the memory floor of reading the fields it
// draws from, the whole frame through OpenGL, and text layout per glyph against a plain layout
// loop; each also counts heap allocations per frame once warm. SDL_Renderer draws the same sprites
// in SdlRendererBench.cpp, and a game-shaped frame in a window both ways (WindowFrameBench.cpp).
// Every goal is a ratio to one of these references.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "BenchSprites.h"
#include "FrameTimer.h"
#include "GoalMain.h"
#include "assets/BitmapFont.h"
#include "assets/Glyph.h"
#include "assets/ImageDevice.h"
#include "assets/Texture.h"
#include "assets/TextureImage.h"
#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/GraphicsManager.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "platform/Window.h"
#include "render/Renderer.h"
#include "render/Vertex.h"
#include "render/gl/GlBackend.h"

namespace {

// Draws nothing: what is left is the renderer's own work.
class NullBackend final : public RenderBackend {
public:
    std::unique_ptr<TextureImage> CreateImage(int w, int h, const uint8_t*) override {
        return std::make_unique<TextureImage>(w, h);
    }
    void BeginFrame(Color) override {}
    void SetCamera(const CameraConstants&) override {}
    void BeginPass(int, bool) override {}
    void PrepareIndices(int) override {}
    void DrawQuads(const Texture*, const Vertex* v, int) override { benchmark::DoNotOptimize(v); }
    void ClearDepth() override {}
    void SetTexture(const Texture*) override {}
    void DrawLines(const Vertex*, int) override {}
    bool ReadBackBuffer(std::vector<uint8_t>&, int&, int&) override { return false; }
    void EndFrame() override {}
};

// The benchmark sprites as objects under one root, each with a position, a tint and a sprite.
struct SpriteScene {
    explicit SpriteScene(int count) {
        atlas.PixelWidth = atlas.PixelHeight = BenchAtlasSize;
        atlas.Image = Service<ImageDevice>::Get().CreateImage(BenchAtlasSize, BenchAtlasSize,
                                                              MakeBenchAtlasPixels().data());
        const float pitch = static_cast<float>(BenchImagePitch) / BenchAtlasSize;
        const float side = static_cast<float>(BenchImagePixels) / BenchAtlasSize;
        for (int i = 0; i < 64; ++i) {
            const std::string name = "s" + std::to_string(i);
            atlas.UvRects.emplace_back(static_cast<float>(i % 8) * pitch, static_cast<float>(i / 8) * pitch,
                                       side, side);
            atlas.TrimRects.emplace_back(0, 0, 1, 1);
            atlas.SpriteNames.push_back(name);
            atlas.SpriteIndex[name] = i;
        }
        root.Name = "Root";
        for (const BenchSprite& s : MakeBenchSprites(count)) {
            auto* o = new GameObject;
            auto* pos = new Pos2dComponent;
            pos->Pos = s.Pos;
            pos->Rotation = s.Rotation;
            o->AddComponent(pos);
            auto* tint = new TintComponent;
            tint->Tint = s.Tint;
            o->AddComponent(tint);
            auto* sprite = new SpriteComponent;
            sprite->SetTexture(&atlas);
            sprite->SelectSprite(s.Image);
            sprite->Size = {BenchSpriteUnits, BenchSpriteUnits};
            o->AddComponent(sprite);
            root.AppendChild(o);
        }
    }
    Texture atlas;
    GameObject root;
};

// Many short repetitions, interleaved with their references' (see RunBenchmarksWithGoals): the
// least of each counts, and a walk bound by memory needs a quiet moment on a shared machine.
constexpr int Repetitions = 12;
constexpr double RepetitionSeconds = 0.05;

void RunFrames(benchmark::State& state, Renderer& renderer, SpriteScene& scene, GraphicsManager& graphics) {
    const int count = static_cast<int>(state.range(0));
    renderer.RenderFrame(&scene.root, graphics); // grow the vertex lists
    renderer.RenderFrame(&scene.root, graphics);
    const long before = AllocationCount();
    long frames = 0;
    FrameTimer timer;
    timer.Start();
    for (auto _ : state) {
        renderer.RenderFrame(&scene.root, graphics);
        ++frames;
    }
    timer.Stop(frames);
    state.counters["frame_ns_per_quad"] = timer.WallNsPerFrame / count;
    state.counters["cpu_ns_per_quad"] = timer.CpuNsPerFrame / count;
    state.counters["process_ns_per_quad"] = timer.ProcessNsPerFrame / count;
    state.counters["allocs_per_frame"] =
        static_cast<double>(AllocationCount() - before) / static_cast<double>(frames);
}

void BM_CpuPathNullBackend(benchmark::State& state) {
    Renderer renderer(std::make_unique<NullBackend>());
    renderer.CreateDevice();
    GraphicsManager graphics;
    {
        SpriteScene scene(static_cast<int>(state.range(0)));
        RunFrames(state, renderer, scene, graphics);
    }
    renderer.Release();
}
BENCHMARK(BM_CpuPathNullBackend)
    ->Arg(50000)
    ->Arg(3000)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repetitions)
    ->MinTime(RepetitionSeconds);

// The memory floor of the CPU path: reads exactly the fields a draw of each object reads (its
// slots, children and flag; position, rotation terms, tint, and the sprite's drawn fields) and
// nothing else, with no vertices written. Its counter shares the CPU path's name: per object, the
// quad it would draw.
void BM_ReadDrawnFields(benchmark::State& state) {
    Renderer renderer(std::make_unique<NullBackend>());
    renderer.CreateDevice();
    {
        SpriteScene scene(static_cast<int>(state.range(0)));
        const int count = static_cast<int>(state.range(0));
        long frames = 0;
        FrameTimer timer;
        timer.Start();
        for (auto _ : state) {
            float sum = 0.0f;
            for (const GameObject* o : scene.root.Children) {
                if (!o->DrawEnabled || !o->Children.empty()) {
                    continue;
                }
                const Pos2dComponent* pos = o->Pos2d();
                const SpriteComponent* sprite = o->Sprite();
                float c = 0.0f;
                float s = 0.0f;
                pos->CosSin(c, s);
                sum += pos->Pos.x + c + s + static_cast<float>(o->Tint()->Tint.r) +
                       static_cast<float>(o->GetSlot(ShortcutSlot::Text) == nullptr) + sprite->Size.x +
                       sprite->Origin.x + sprite->UvRect.x + sprite->TrimRect.height +
                       static_cast<float>(sprite->GetTexture() != nullptr);
            }
            benchmark::DoNotOptimize(sum);
            ++frames;
        }
        timer.Stop(frames);
        state.counters["cpu_ns_per_quad"] = timer.CpuNsPerFrame / count;
    }
    renderer.Release();
}
BENCHMARK(BM_ReadDrawnFields)
    ->Arg(50000)
    ->Arg(3000)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repetitions)
    ->MinTime(RepetitionSeconds);

void BM_FrameOpenGl(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no display");
        return;
    }
    // A display that cannot be opened is a run that did not happen, not the end of the program.
    std::unique_ptr<Window> window;
    std::unique_ptr<GlBackend> backend;
    try {
        window = Window::CreateDesktop("render bench", 1280, 720);
        backend = std::make_unique<GlBackend>(*window, 1280, 720);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    Renderer renderer(std::move(backend));
    renderer.CreateDevice();
    GraphicsManager graphics;
    {
        SpriteScene scene(static_cast<int>(state.range(0)));
        RunFrames(state, renderer, scene, graphics);
    }
    renderer.Release();
}
// A set number of frames: a frame takes most of a second on a software rasteriser, and a run sized
// by time could end with too few frames to say anything. SdlRendererBench.cpp uses the same.
BENCHMARK(BM_FrameOpenGl)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(BenchDrawnFrames)
    ->Repetitions(BenchDrawnRepetitions);

// A 2,000-character paragraph wrapped in a 400-pixel box, in a font of the 95 printable characters.
struct TextScene {
    TextScene() {
        font.LineHeightNorm = 0.125f;
        font.Page = std::make_unique<Texture>();
        for (int c = 32; c < 127; ++c) {
            Glyph g{c,
                    static_cast<float>(c % 16) / 16.0f,
                    static_cast<float>(c / 16) / 8.0f,
                    0.05f,
                    0.1f,
                    0.0f,
                    0.01f,
                    0.055f};
            font.Glyphs[c] = g;
        }
        font.Kernings.emplace('A', std::make_pair(static_cast<int>('V'), -0.01f));
        font.BuildByteTables();
        while (paragraph.size() < 2000) {
            paragraph += "The submarine AVOIDS the rocks and drills down. ";
        }
    }
    static constexpr float FontSize = 16.0f;
    static constexpr float BoxWidth = 400.0f;
    BitmapFont font;
    std::string paragraph;
};

void CountPerGlyph(benchmark::State& state, size_t glyphs, long frames) {
    state.counters["ns_per_glyph"] =
        benchmark::Counter(static_cast<double>(glyphs) * static_cast<double>(frames),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The paragraph laid out and queued every frame by the renderer.
void BM_TextLayout(benchmark::State& state) {
    Renderer renderer(std::make_unique<NullBackend>());
    renderer.CreateDevice();
    TextScene scene;
    GameObject root;
    auto* object = new GameObject;
    auto* text = new TextComponent;
    text->Font = &scene.font;
    text->FontSize = static_cast<int>(TextScene::FontSize);
    text->BoxSize = {TextScene::BoxWidth, 0};
    text->Layer = DrawLayer::Ui;
    text->Text = scene.paragraph;
    object->AddComponent(text);
    root.AppendChild(object);
    GraphicsManager graphics;
    renderer.RenderFrame(&root, graphics);
    const long before = AllocationCount();
    long frames = 0;
    for (auto _ : state) {
        renderer.BeginPassBatches();
        renderer.DrawTree(root, static_cast<int>(DrawLayer::Ui));
        benchmark::DoNotOptimize(renderer.QuadLists[0].data());
        ++frames;
    }
    CountPerGlyph(state, scene.paragraph.size(), frames);
    state.counters["allocs_per_frame"] =
        static_cast<double>(AllocationCount() - before) / static_cast<double>(frames);
    renderer.Release();
}
BENCHMARK(BM_TextLayout)->Unit(benchmark::kMicrosecond)->Repetitions(Repetitions)->MinTime(RepetitionSeconds);

// The reference: the same paragraph laid out by a plain loop into a vertex array of the right size.
// Lines break at the last space that fits (measured with the glyphs' advances and kerning from the
// font's byte tables), then each glyph becomes one tinted quad, turned and placed as the renderer
// places it. No components, no line list, no batching by texture.
void BM_PlainTextLayout(benchmark::State& state) {
    const TextScene scene;
    const BitmapFont& font = scene.font;
    const char* text = scene.paragraph.data();
    const int length = static_cast<int>(scene.paragraph.size());
    const float k = TextScene::FontSize / font.LineHeightNorm;
    std::vector<int> lineEnds;
    lineEnds.reserve(static_cast<size_t>(length));
    std::vector<Vertex> vertices(static_cast<size_t>(length) * 4);
    const float cosine = 1.0f;
    const float sine = 0.0f;
    const uint32_t color = 0xffffffffu;
    long frames = 0;
    for (auto _ : state) {
        lineEnds.clear();
        float width = 0.0f;
        int lastSpace = 0;
        for (int i = 0; i < length; ++i) {
            const char c = text[i];
            if (c == ' ') {
                lastSpace = i;
            }
            width += (font.ByteGlyph(c).xadvance + font.ByteKerning(i > 0 ? text[i - 1] : '\0', c)) * k;
            if (width > TextScene::BoxWidth && lastSpace > (lineEnds.empty() ? 0 : lineEnds.back())) {
                lineEnds.push_back(lastSpace);
                i = lastSpace;
                width = 0.0f;
            }
        }
        lineEnds.push_back(length);
        Vertex* v = vertices.data();
        float penY = 0.0f;
        int start = 0;
        for (int end : lineEnds) {
            float penX = 0.0f;
            for (int j = start; j < end; ++j) {
                const char c = text[j];
                const Glyph& g = font.ByteGlyph(c);
                if (j > start) {
                    penX += font.ByteKerning(text[j - 1], c) * k;
                }
                const float left = penX + g.xoffset * k;
                const float top = penY - g.yoffset * k;
                const float corners[4][2] = {{left, top},
                                             {left + g.width * k, top},
                                             {left + g.width * k, top - g.height * k},
                                             {left, top - g.height * k}};
                const float uvs[4][2] = {
                    {g.x, g.y}, {g.x + g.width, g.y}, {g.x + g.width, g.y + g.height}, {g.x, g.y + g.height}};
                for (int n = 0; n < 4; ++n) {
                    v[n] = {corners[n][0] * cosine - corners[n][1] * sine,
                            corners[n][0] * sine + corners[n][1] * cosine,
                            0.0f,
                            1.0f,
                            color,
                            uvs[n][0],
                            uvs[n][1]};
                }
                v += 4;
                penX += g.xadvance * k;
            }
            penY -= TextScene::FontSize;
            start = end + 1;
        }
        benchmark::DoNotOptimize(vertices.data());
        benchmark::ClobberMemory();
        ++frames;
    }
    CountPerGlyph(state, scene.paragraph.size(), frames);
}
BENCHMARK(BM_PlainTextLayout)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(Repetitions)
    ->MinTime(RepetitionSeconds);

// Information beside the goals: a ratio of the same counter of two runs.
void PrintRatio(const BenchRuns& runs, const char* what, const std::string& ours, const std::string& theirs,
                const char* counter) {
    std::string missing;
    const auto a = runs.Figure(ours, counter, missing);
    const auto b = runs.Figure(theirs, counter, missing);
    if (!a || !b) {
        std::printf("  %-58s n/a (%s)\n", what, missing.c_str());
        return;
    }
    std::printf("  %-58s %6.2f ns / %6.2f ns = %.3fx\n", what, *a, *b, *a / *b);
}

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        const std::string null = "BM_CpuPathNullBackend/";
        const std::string read = "BM_ReadDrawnFields/";
        const std::string gl =
            "BM_FrameOpenGl/50000/iterations:" + std::to_string(BenchDrawnFrames) + "/real_time";
        const std::string sdl =
            "BM_SdlRendererFrame/50000/iterations:" + std::to_string(BenchDrawnFrames) + "/real_time";
        const std::string windowGl =
            "BM_WindowFrameOpenGl/iterations:" + std::to_string(WindowFrames) + "/real_time";
        const std::string windowSdl =
            "BM_WindowFrameSdlRenderer/iterations:" + std::to_string(WindowFrames) + "/real_time";
        std::printf("Information (per quad, same sprites, same run):\n");
        // Under OpenGL this thread also runs the driver's vertex stage.
        PrintRatio(runs, "thread CPU under OpenGL / SDL_Renderer thread CPU", gl, sdl, "cpu_ns_per_quad");
        PrintRatio(runs, "wall-clock frame under OpenGL / SDL_Renderer", gl, sdl, "frame_ns_per_quad");
        PrintRatio(runs, "CPU path / reading the drawn fields, 1,000 objects", null + "1000", read + "1000",
                   "cpu_ns_per_quad");
        std::printf("\n");
        // At the game's scale (about a screenful of tiles) the data stays in cache: the drawing may
        // cost little more than half as much again as reading what it draws.
        runs.CounterRatioGoal("render.cpu_path_vs_memory_floor_3000", null + "3000", read + "3000",
                              "cpu_ns_per_quad", 1.6);
        // At 50,000 objects the walk is bound by memory: little more than reading its fields.
        runs.CounterRatioGoal("render.cpu_path_vs_memory_floor_50000", null + "50000", read + "50000",
                              "cpu_ns_per_quad", 1.2);
        runs.CounterRatioGoal("render.cpu_path_vs_sdl_renderer_cpu_50000", null + "50000", sdl,
                              "cpu_ns_per_quad", 0.25);
        // The whole frame: the CPU time of every thread of the process, the driver's rasteriser
        // included. On a shared machine the wall clock mostly measures waiting for a core.
        runs.CounterRatioGoal("render.frame_vs_sdl_renderer_linear_50000", gl, sdl, "process_ns_per_quad",
                              1.0);
        // The renderer's text (a line list, alignment, batching by page) may cost as much again as
        // the plain loop's.
        runs.CounterRatioGoal("render.text_layout_vs_plain_loop", "BM_TextLayout", "BM_PlainTextLayout",
                              "ns_per_glyph", 2.0);
        // The game's own frame in a window, presented (WindowFrameBench.cpp): every thread of the
        // process, so a software rasteriser's threads count.
        if (const BenchRuns::Figures* window = runs.Find(windowGl)) {
            const double ms =
                window->Counters.count("process_cpu_ms") ? window->Counters.at("process_cpu_ms") : 0.0;
            std::printf("  window frame through OpenGL: %.2f ms CPU, %.0f%% of the 16.7 ms period\n", ms,
                        ms * 6.0);
        }
        runs.CounterRatioGoal("render.window_frame_vs_sdl_renderer", windowGl, windowSdl, "process_cpu_ms",
                              1.0);
    });
}
