// Renderer figures: the CPU path (traversal, AddQuad, FlushPass) for 50,000 tinted, rotated 8-pixel
// quads from one atlas, with a do-nothing backend and with OpenGL (run under GALLIUM_NOOP=1 for the
// CPU cost alone, without it for llvmpipe's full frame); text layout per glyph. Each reports heap
// allocations per frame once warm.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

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
std::atomic<long> allocations{0};
} // namespace

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

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
    void DrawQuads(const Texture*, const Vertex* v, int n) override {
        benchmark::DoNotOptimize(v);
        draws += n > 0;
    }
    void ClearDepth() override {}
    void SetTexture(const Texture*) override {}
    void DrawLines(const Vertex*, int) override {}
    bool ReadBackBuffer(std::vector<uint8_t>&, int&, int&) override { return false; }
    void EndFrame() override {}
    long draws = 0;
};

constexpr int QuadCount = 50000;

// 50,000 sprites of 8 pixels (half a unit) from one 256 x 256 atlas, each rotated and tinted.
struct SpriteScene {
    SpriteScene() {
        atlas.PixelWidth = atlas.PixelHeight = 256;
        atlas.Image = Service<ImageDevice>::Get().CreateImage(256, 256, std::vector<uint8_t>(256 * 256 * 4, 200).data());
        for (int i = 0; i < 64; ++i) {
            const std::string name = "s" + std::to_string(i);
            atlas.UvRects.emplace_back((i % 8) / 8.0f, (i / 8) / 8.0f, 1 / 32.0f, 1 / 32.0f);
            atlas.TrimRects.emplace_back(0, 0, 1, 1);
            atlas.SpriteNames.push_back(name);
            atlas.SpriteIndex[name] = i;
        }
        root.Name = "Root";
        for (int i = 0; i < QuadCount; ++i) {
            auto* o = new GameObject;
            auto* pos = new Pos2dComponent;
            pos->Pos = {float(i % 120) * 0.5f, -float(i / 120 % 90) * 0.5f};
            pos->Rotation = float(i % 360) * 0.0174533f;
            o->AddComponent(pos);
            auto* tint = new TintComponent;
            tint->Tint = {255, uint8_t(i), uint8_t(i * 7), 230};
            o->AddComponent(tint);
            auto* sprite = new SpriteComponent;
            sprite->SetTexture(&atlas);
            sprite->SelectSprite(i % 64);
            sprite->Size = {0.5f, 0.5f};
            o->AddComponent(sprite);
            root.AppendChild(o);
        }
    }
    Texture atlas;
    GameObject root;
};

void RunFrames(benchmark::State& state, Renderer& renderer, SpriteScene& scene, GraphicsManager& graphics) {
    renderer.RenderFrame(&scene.root, graphics); // grow the vertex lists
    renderer.RenderFrame(&scene.root, graphics);
    const long before = allocations.load();
    long frames = 0;
    for (auto _ : state) {
        renderer.RenderFrame(&scene.root, graphics);
        ++frames;
    }
    state.counters["ns_per_quad"] = benchmark::Counter(double(QuadCount) * double(frames),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["allocs_per_frame"] = double(allocations.load() - before) / double(frames);
}

void BM_CpuPathNullBackend(benchmark::State& state) {
    auto owned = std::make_unique<NullBackend>();
    Renderer renderer(std::move(owned));
    renderer.CreateDevice();
    GraphicsManager graphics;
    SpriteScene scene;
    RunFrames(state, renderer, scene, graphics);
    renderer.Release();
}
BENCHMARK(BM_CpuPathNullBackend)->Unit(benchmark::kMillisecond);

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
        SpriteScene scene;
        RunFrames(state, renderer, scene, graphics);
    }
    renderer.Release();
}
BENCHMARK(BM_FrameOpenGl)->Unit(benchmark::kMillisecond);

// A 2,000-character paragraph wrapped in a box, laid out and queued every frame.
void BM_TextLayout(benchmark::State& state) {
    Renderer renderer(std::make_unique<NullBackend>());
    renderer.CreateDevice();
    BitmapFont font;
    font.LineHeightNorm = 0.125f;
    font.Page = std::make_unique<Texture>();
    for (int c = 32; c < 127; ++c) {
        Glyph g{c, (c % 16) / 16.0f, (c / 16) / 8.0f, 0.05f, 0.1f, 0.0f, 0.01f, 0.055f};
        font.Glyphs[c] = g;
    }
    font.Kernings.emplace('A', std::make_pair(int('V'), -0.01f));
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
    const long before = allocations.load();
    long frames = 0;
    for (auto _ : state) {
        renderer.BeginPassBatches();
        renderer.DrawTree(root, int(DrawLayer::Ui));
        benchmark::DoNotOptimize(renderer.QuadLists[0].data());
        ++frames;
    }
    state.counters["ns_per_glyph"] = benchmark::Counter(double(paragraph.size()) * double(frames),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["allocs_per_frame"] = double(allocations.load() - before) / double(frames);
    renderer.Release();
}
BENCHMARK(BM_TextLayout)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
