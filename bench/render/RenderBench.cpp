// Renderer figures for 50,000 tinted, rotated 8-pixel quads from one atlas: the CPU path (traversal,
// AddQuad, FlushPass) with a backend that draws nothing (also for 3,000 quads, about a screenful of
// tiles, and 1,000, whose objects stay in cache), the whole frame through OpenGL, and text layout
// per glyph; each also counts heap allocations per frame once warm. SDL_Renderer draws the same
// sprites in SdlRendererBench.cpp, and the run ends with the ratios between the two, and between
// the two drawing a game-shaped frame in a window (WindowFrameBench.cpp).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "AllocationCounter.h"
#include "BenchFigures.h"
#include "BenchSprites.h"
#include "GoalMain.h"
#include "assets/BitmapFont.h"
#include "assets/ImageDevice.h"
#include "assets/Texture.h"
#include "assets/TextureImage.h"
#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "platform/Window.h"
#include "render/GraphicsManager.h"
#include "render/Renderer.h"
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

void RunFrames(benchmark::State& state, Renderer& renderer, SpriteScene& scene, GraphicsManager& graphics,
               const std::string& figure) {
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
    state.counters["allocs_per_frame"] =
        static_cast<double>(AllocationCount() - before) / static_cast<double>(frames);
    const std::string name = figure + "." + std::to_string(count);
    RecordFigure(name + ".frame", timer.WallNsPerFrame / count, frames);
    RecordFigure(name + ".cpu", timer.CpuNsPerFrame / count, frames);
}

void BM_CpuPathNullBackend(benchmark::State& state) {
    Renderer renderer(std::make_unique<NullBackend>());
    renderer.CreateDevice();
    GraphicsManager graphics;
    {
        SpriteScene scene(static_cast<int>(state.range(0)));
        RunFrames(state, renderer, scene, graphics, "null");
    }
    renderer.Release();
}
BENCHMARK(BM_CpuPathNullBackend)->Arg(50000)->Arg(3000)->Arg(1000)->Unit(benchmark::kMillisecond);

// The memory floor of the CPU path: reads exactly the fields a draw of each object reads (its
// slots, children and flag; position, rotation terms, tint, and the sprite's drawn fields) and
// nothing else, with no vertices written.
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
        state.counters["cpu_ns_per_object"] = timer.CpuNsPerFrame / count;
        RecordFigure("read." + std::to_string(count) + ".cpu", timer.CpuNsPerFrame / count, frames);
    }
    renderer.Release();
}
BENCHMARK(BM_ReadDrawnFields)->Arg(50000)->Arg(3000)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_FrameOpenGl(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no display");
        return;
    }
    std::unique_ptr<Window> window = Window::CreateDesktop("render bench", 1280, 720);
    Renderer renderer(std::make_unique<GlBackend>(*window, 1280, 720));
    renderer.CreateDevice();
    GraphicsManager graphics;
    {
        SpriteScene scene(static_cast<int>(state.range(0)));
        RunFrames(state, renderer, scene, graphics, "gl");
    }
    renderer.Release();
}
BENCHMARK(BM_FrameOpenGl)->Arg(50000)->Unit(benchmark::kMillisecond)->UseRealTime();

// A 2,000-character paragraph wrapped in a box, laid out and queued every frame.
void BM_TextLayout(benchmark::State& state) {
    Renderer renderer(std::make_unique<NullBackend>());
    renderer.CreateDevice();
    BitmapFont font;
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
    GameObject root;
    auto* object = new GameObject;
    auto* text = new TextComponent;
    text->Font = &font;
    text->FontSize = 16;
    text->BoxSize = {400, 0};
    text->Layer = DrawLayer::Ui;
    std::string paragraph;
    while (paragraph.size() < 2000) {
        paragraph += "The submarine AVOIDS the rocks and drills down. ";
    }
    text->Text = paragraph;
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
    state.counters["ns_per_glyph"] =
        benchmark::Counter(static_cast<double>(paragraph.size()) * static_cast<double>(frames),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["allocs_per_frame"] =
        static_cast<double>(AllocationCount() - before) / static_cast<double>(frames);
    renderer.Release();
}
BENCHMARK(BM_TextLayout)->Unit(benchmark::kMicrosecond);

// Information beside the goals: a ratio of two recorded figures.
void PrintRatio(const char* what, const char* ours, const char* theirs) {
    const auto& f = BenchFigures();
    if (!f.count(ours) || !f.count(theirs)) {
        std::printf("  %-58s n/a (a benchmark did not run)\n", what);
        return;
    }
    std::printf("  %-58s %6.2f ns / %6.2f ns = %.3fx\n", what, f.at(ours), f.at(theirs),
                f.at(ours) / f.at(theirs));
}

void FigureGoal(const char* goal, const char* name, const char* unit, double limit) {
    const auto& f = BenchFigures();
    if (!f.count(name)) {
        ReportGoalNotRun(goal, unit, limit);
        return;
    }
    ReportGoal(goal, f.at(name), unit, limit);
}

void FigureRatioGoal(const char* goal, const char* ours, const char* theirs, double limit) {
    const auto& f = BenchFigures();
    if (!f.count(ours) || !f.count(theirs)) {
        ReportGoalNotRun(goal, "x", limit);
        return;
    }
    ReportGoal(goal, f.at(ours) / f.at(theirs), "x", limit);
}

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        std::printf("Information (per quad, same sprites, same run):\n");
        // Under OpenGL this thread also runs the driver's vertex stage.
        PrintRatio("thread CPU under OpenGL / SDL_Renderer thread CPU", "gl.50000.cpu", "sdl.50000.cpu");
        PrintRatio("CPU path / reading the drawn fields, 3,000 objects", "null.3000.cpu", "read.3000.cpu");
        PrintRatio("CPU path / reading the drawn fields, 1,000 objects", "null.1000.cpu", "read.1000.cpu");
        std::printf("\n");
        // At the game's scale (about a screenful of tiles) the data stays in cache.
        FigureGoal("render.cpu_path_per_quad_3000", "null.3000.cpu", "ns", 12.0);
        // At 50,000 objects the walk is bound by memory: measured against only reading its fields.
        FigureRatioGoal("render.cpu_path_vs_memory_floor_50000", "null.50000.cpu", "read.50000.cpu", 1.2);
        FigureRatioGoal("render.cpu_path_vs_sdl_renderer_cpu_50000", "null.50000.cpu", "sdl.50000.cpu", 0.25);
        FigureRatioGoal("render.frame_vs_sdl_renderer_linear_50000", "gl.50000.frame", "sdl.50000.frame",
                        1.0);
        // The game's own frame in a window, presented (WindowFrameBench.cpp): on a software
        // rasteriser it must leave most of the 16.7 ms period free.
        if (BenchFigures().count("gl.window_frame")) {
            std::printf("  window frame through OpenGL: %.2f ms CPU, %.0f%% of the 16.7 ms period\n",
                        BenchFigures().at("gl.window_frame"), BenchFigures().at("gl.window_frame") * 6.0);
        }
        FigureRatioGoal("render.window_frame_vs_sdl_renderer", "gl.window_frame", "sdl.window_frame", 1.0);
        const BenchRuns::Figures* text = runs.Find("BM_TextLayout");
        if (text && text->Counters.count("ns_per_glyph")) {
            ReportGoal("render.text_layout_per_glyph", text->Counters.at("ns_per_glyph") * 1e9, "ns", 25.0);
        } else {
            ReportGoalNotRun("render.text_layout_per_glyph", "ns", 25.0);
        }
    });
}
