// The world's costs: generating a world with the shipped parameters and its noise, both against
// stb_perlin's fractal noise on the same samples; rebuilding scenery collision (one block, the whole
// pool, and 160 to 645 blocks in the game's order against an interleaved order to show the curve),
// against plain Box2D making the same chains; and a frame of the running game, headless, with the
// camera moving one tile per frame.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <box2d/b2_body.h>
#include <box2d/b2_chain_shape.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_world.h>

#define STB_PERLIN_IMPLEMENTATION
#include <stb_perlin.h>

#include "FrameWork.h"
#include "GoalMain.h"
#include "Scene.h"

#include "app/Application.h"
#include "app/RegisterAllClasses.h"
#include "components/SpriteComponent.h"
#include "core/GraphicsManager.h"
#include "core/WellKnown.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"
#include "platform/Clock.h"
#include "world/RandomManager.h"
#include "world/TileGrid.h"
#include "world/generation/Noise.h"
#include "world/generation/WorldMakerBhv.h"
#include "world/scenery/SceneryCollisionBlockBhv.h"
#include "world/scenery/SceneryCollisionManagerBhv.h"
#include "world/tiles/TileTypesRootBhv.h"

namespace {

constexpr const char* PrefabFolder = "Content/Prefabs/";

// A scene holding the shipped tile types and world maker, read from their prefab files, with the
// world generated from seed 7.
struct WorldScene : Scene {
    WorldScene() {
        RegisterAllClasses(prefabs.Registry);
        RegisterPrefabClasses(prefabs.Registry);
        prefabs.Registry.BuildPrototypes();
        for (const char* name :
             {"WorldMaker", "Tile_Dirt", "Tile_Rock", "Tile_CopperDirt", "Tile_CopperRock", "Tile_Urchin",
              "Tile_BuriedDirt", "Tile_BuriedRock", "Tile_Silver", "Tile_BossWall", "Tile_Chest",
              "Tile_DeepSilt", "Tile_Basalt", "Tile_Gold", "SceneryCollisionBlock"}) {
            const std::string file = std::string(PrefabFolder) + name + ".json";
            std::ifstream in(file);
            if (!in) {
                std::fprintf(stderr, "world_bench: cannot read %s (run from build/release/bin)\n",
                             file.c_str());
                std::exit(1);
            }
            prefabs.Prefabs[name] = prefabs.ReadPrefab(name, in, file);
        }
        auto* types = new GameObject();
        types->AddComponent(new TileTypesRootBhv());
        root.AppendChild(types);
        types->GetComponentOfType<TileTypesRootBhv>()->Start();
        maker = new GameObject("WorldMaker");
        root.AppendChild(maker);
    }
    ~WorldScene() {
        queues.Flush();
        ClearTree();
    }

    WorldMakerBhv& Maker() { return *maker->GetComponentOfType<WorldMakerBhv>(); }

    RandomManager random{7};
    TileGrid grid;
    Service<RandomManager>::Scoped randomScope{random};
    Service<TileGrid>::Scoped gridScope{grid};
    GameObject* maker = nullptr;
};

// Short repetitions, interleaved with their references' (see RunBenchmarksWithGoals).
constexpr int Repetitions = 5;
constexpr double RepetitionSeconds = 0.1;

void BM_Generate(benchmark::State& state) {
    WorldScene scene;
    for (auto _ : state) {
        scene.random.Seed(7);
        scene.Maker().GenerateTiles(scene.random, scene.grid);
        benchmark::DoNotOptimize(scene.grid.Codes().data());
    }
}
BENCHMARK(BM_Generate)->Unit(benchmark::kMillisecond)->Repetitions(Repetitions)->MinTime(RepetitionSeconds);

// The grid's cells as noise samples: band 1's cell size, four octaves.
constexpr int Octaves = 4;

void BM_OctaveNoise(benchmark::State& state) {
    for (auto _ : state) {
        float sum = 0.0f;
        for (int r = 0; r < TileGrid::Rows; ++r) {
            for (int c = 0; c < TileGrid::Columns; ++c) {
                sum += OctaveNoise3(Octaves, 0.5f, 1.0f, c / 24.0f, r / 24.0f, 1234.5f);
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_OctaveNoise)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repetitions)
    ->MinTime(RepetitionSeconds);

void BM_StbPerlinFbm(benchmark::State& state) {
    for (auto _ : state) {
        float sum = 0.0f;
        for (int r = 0; r < TileGrid::Rows; ++r) {
            for (int c = 0; c < TileGrid::Columns; ++c) {
                sum += stb_perlin_fbm_noise3(c / 24.0f, r / 24.0f, 1234.5f, 2.0f, 0.5f, Octaves);
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_StbPerlinFbm)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repetitions)
    ->MinTime(RepetitionSeconds);

// Plain Box2D doing the scenery's Box2D work alone: the chains a body carries, copied, made again
// as fixtures of a static body in a world of their own (a loop's chain is its closing vertex list).
class PlainChains {
public:
    explicit PlainChains(const b2Body& from) {
        for (const b2Fixture* f = from.GetFixtureList(); f; f = f->GetNext()) {
            const auto* shape = static_cast<const b2ChainShape*>(f->GetShape());
            chains_.push_back({std::vector<b2Vec2>(shape->m_vertices, shape->m_vertices + shape->m_count),
                               shape->m_prevVertex, shape->m_nextVertex});
        }
        b2BodyDef definition;
        body_ = world_.CreateBody(&definition);
        Rebuild();
        Step();
    }
    void Rebuild() {
        for (b2Fixture* fixture : fixtures_) {
            body_->DestroyFixture(fixture);
        }
        fixtures_.clear();
        b2FixtureDef definition;
        definition.friction = 0.5f;
        definition.restitution = 0.2f;
        for (const Chain& chain : chains_) {
            b2ChainShape shape;
            shape.CreateChain(chain.Vertices.data(), static_cast<int32>(chain.Vertices.size()), chain.Before,
                              chain.After);
            definition.shape = &shape;
            fixtures_.push_back(body_->CreateFixture(&definition));
        }
    }
    void Step() { world_.Step(1.0f / 60.0f, 8, 3); }

private:
    struct Chain {
        std::vector<b2Vec2> Vertices;
        b2Vec2 Before;
        b2Vec2 After;
    };
    std::vector<Chain> chains_;
    b2World world_{b2Vec2(0.0f, -10.0f)};
    b2Body* body_ = nullptr;
    std::vector<b2Fixture*> fixtures_;
};

// Rebuilds the chains again and again as the game's benchmark does, with the world stepped between.
void RebuildPlainChains(benchmark::State& state, PlainChains& plain) {
    for (auto _ : state) {
        plain.Rebuild();
        state.PauseTiming();
        plain.Step();
        state.ResumeTiming();
    }
}

// The world scene with the scenery manager on its static body, the camera over the caves of band
// 1, and its pool built: 306 blocks for the game's 60 x 45-unit view.
struct SceneryScene : WorldScene {
    explicit SceneryScene(int viewWidth = 60, int viewHeight = 45) {
        graphics.WorldCamera.Size = {static_cast<float>(viewWidth), static_cast<float>(viewHeight)};
        graphics.WorldCamera.Position = {75.0f, -100.0f};
        Maker().GenerateTiles(random, grid);
        auto* object = new GameObject();
        object->AddComponent(new B2BodyComponent());
        manager = new SceneryCollisionManagerBhv();
        object->AddComponent(manager);
        root.AppendChild(object);
        manager->Start();
        manager->Update();
        world->Step(1.0f / 60.0f, 8, 3);
    }
    // A frame's step after the timed work: it clears Box2D's list of moved proxies as the game's
    // step does.
    void Step() { world->Step(1.0f / 60.0f, 8, 3); }
    // Chain edges on the scenery body: each is one broad-phase proxy, the unit of rebuilding work.
    int Edges() const {
        int edges = 0;
        for (const b2Fixture* f = manager->SceneryBody()->GetFixtureList(); f; f = f->GetNext()) {
            edges += f->GetShape()->GetChildCount();
        }
        return edges;
    }

    GraphicsManager graphics;
    Service<GraphicsManager>::Scoped graphicsScope{graphics};
    SceneryCollisionManagerBhv* manager = nullptr;
};

void BM_SceneryOneBlock(benchmark::State& state) {
    SceneryScene scene;
    int i = 0;
    for (auto _ : state) {
        // A cell in the middle of a block: it and its neighbours lie in that block alone.
        scene.manager->MarkSceneryDirty(45 + 10 * (i % 4), 95);
        ++i;
        scene.manager->Update();
        state.PauseTiming();
        scene.Step();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SceneryOneBlock)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(Repetitions)
    ->MinTime(RepetitionSeconds);

void BM_SceneryWholePool(benchmark::State& state) {
    SceneryScene scene;
    for (auto _ : state) {
        scene.manager->MarkAllSceneryDirty();
        scene.manager->Update();
        state.PauseTiming();
        scene.Step();
        state.ResumeTiming();
    }
    state.counters["blocks"] = static_cast<double>(scene.manager->Blocks().size());
    state.counters["edges"] = scene.Edges();
}
BENCHMARK(BM_SceneryWholePool)
    ->Arg(306)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repetitions)
    ->MinTime(RepetitionSeconds);

void BM_PlainBox2dWholePool(benchmark::State& state) {
    const SceneryScene scene;
    PlainChains plain(*scene.manager->SceneryBody());
    RebuildPlainChains(state, plain);
}
BENCHMARK(BM_PlainBox2dWholePool)
    ->Arg(306)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repetitions)
    ->MinTime(RepetitionSeconds);

// The curve: n blocks of the generated world (all 645 lie inside the grid; taken in a fixed
// shuffled order so every count holds the same mix of terrain), rebuilt in one frame in the game's
// order (every old fixture destroyed, then every new one made) or interleaved (each block destroys
// and rebuilds in turn, so each destruction searches the proxies made so far in the frame).
// With plain set, plain Box2D rebuilds the chains those blocks made instead.
void RebuildBlocks(benchmark::State& state, bool interleaved, bool plain = false) {
    WorldScene scene;
    scene.Maker().GenerateTiles(scene.random, scene.grid);
    std::vector<std::unique_ptr<SceneryCollisionBlockBhv>> blocks;
    for (int by = 0; by < 43; ++by) {
        for (int bx = 0; bx < 15; ++bx) {
            auto block = std::make_unique<SceneryCollisionBlockBhv>();
            block->KeyX = static_cast<float>(10 * bx);
            block->KeyY = static_cast<float>(-10 * by);
            blocks.push_back(std::move(block));
        }
    }
    std::mt19937 shuffle(5);
    std::shuffle(blocks.begin(), blocks.end(), shuffle);
    blocks.resize(static_cast<size_t>(state.range(0)));
    b2BodyDef definition;
    b2Body* body = scene.world->CreateBody(&definition);
    for (auto& block : blocks) {
        block->Rebuild(body);
    }
    scene.world->Step(1.0f / 60.0f, 8, 3);
    if (plain) {
        PlainChains chains(*body);
        for (auto& block : blocks) {
            block->DestroyFixtures(body);
        }
        scene.world->DestroyBody(body);
        RebuildPlainChains(state, chains);
        return;
    }
    for (auto _ : state) {
        if (interleaved) {
            for (auto& block : blocks) {
                block->Rebuild(body);
            }
        } else {
            for (auto& block : blocks) {
                block->DestroyFixtures(body);
            }
            for (auto& block : blocks) {
                block->BuildFixtures(body);
            }
        }
        state.PauseTiming();
        scene.world->Step(1.0f / 60.0f, 8, 3);
        state.ResumeTiming();
    }
    state.counters["per_block"] =
        benchmark::Counter(static_cast<double>(blocks.size()),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    for (auto& block : blocks) {
        block->DestroyFixtures(body);
    }
    scene.world->DestroyBody(body);
}

void BM_SceneryBlocksGameOrder(benchmark::State& state) {
    RebuildBlocks(state, false);
}
BENCHMARK(BM_SceneryBlocksGameOrder)
    ->Arg(160)
    ->Arg(320)
    ->Arg(645)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repetitions)
    ->MinTime(RepetitionSeconds);

void BM_PlainBox2dBlocks(benchmark::State& state) {
    RebuildBlocks(state, false, true);
}
BENCHMARK(BM_PlainBox2dBlocks)
    ->Arg(645)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repetitions)
    ->MinTime(RepetitionSeconds);

void BM_SceneryBlocksInterleaved(benchmark::State& state) {
    RebuildBlocks(state, true);
}
BENCHMARK(BM_SceneryBlocksInterleaved)->Arg(160)->Arg(320)->Arg(645)->Unit(benchmark::kMillisecond);

// Tearing down n objects with a dynamic body, a fixture and a sprite each, lying apart under one
// parent: queued and flushed at the frame's end, just after they were made (so Box2D still lists
// every proxy as moved), as when a load replaces every thing of the world. Building is not timed.
void BM_SceneryTeardown(benchmark::State& state) {
    Scene scene;
    const int count = static_cast<int>(state.range(0));
    auto* parent = new GameObject();
    scene.root.AppendChild(parent);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < count; ++i) {
            auto* object = new GameObject();
            auto* body = new B2BodyComponent();
            object->AddComponent(body);
            body->GetBody()->SetType(b2_dynamicBody);
            auto* fixture = new B2FixtureComponent();
            object->AddComponent(fixture);
            fixture->SetShapeText("Circle 0.3");
            object->AddComponent(new SpriteComponent());
            body->SetPosition(static_cast<float>(i % 150), -static_cast<float>(i / 150));
            parent->AppendChild(object);
        }
        state.ResumeTiming();
        for (GameObject* object : parent->Children) {
            object->DestroyLater();
        }
        scene.queues.Flush();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_SceneryTeardown)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repetitions)
    ->Iterations(4);

// The game itself, headless and in fixed steps from seed 7, its camera sweeping one tile per frame
// across and down the world; the thread CPU time of each frame's own work.
FrameWorkFigures MeasureGameFrames(int frames) {
    AppOptions options;
    options.Headless = true;
    options.FixedStep = true;
    options.Frames = frames;
    options.Seed = 7;
    SystemClock clock;
    Application application(options, clock);
    std::vector<double> workMs;
    uint64_t last = 0;
    float dx = 1.0f;
    application.SetFrameObserver([&](int64_t frame) {
        const uint64_t now = ThreadCpuNanoseconds();
        if (frame > 10) { // past start-up's first frames
            workMs.push_back(static_cast<double>(now - last) / 1e6);
        }
        Camera2d& camera = Service<GraphicsManager>::Get().WorldCamera;
        if (camera.Position.x + dx > 120.0f || camera.Position.x + dx < 30.0f) {
            dx = -dx;
            camera.Position.y -= 1.0f;
        } else {
            camera.Position.x += dx;
        }
        last = ThreadCpuNanoseconds();
    });
    if (application.Run() != 0) {
        std::fprintf(stderr, "world_bench: the game did not run (run from build/release/bin)\n");
        return {};
    }
    return SummariseFrameWork(std::move(workMs));
}

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        // A world is no dearer than four fractal noise fields over its grid.
        runs.RatioGoal("world.generate_vs_stb_perlin", "BM_Generate", "BM_StbPerlinFbm", 4.0);
        runs.RatioGoal("world.noise_vs_stb_perlin", "BM_OctaveNoise", "BM_StbPerlinFbm", 1.3);
        // Digging a cell rebuilds its block within the frame: a share of it.
        runs.CpuGoal("world.scenery_one_block", "BM_SceneryOneBlock", 1e-6, "ms", 0.06);
        // Tracing the outlines from the tiles may cost up to twice Box2D's own work on the chains.
        runs.RatioGoal("world.scenery_pool_306_vs_plain_box2d", "BM_SceneryWholePool/306",
                       "BM_PlainBox2dWholePool/306", 3.0);
        // Linear: a block costs about the same among 645 as among 160 rebuilt in one frame.
        runs.RatioGoal("world.scenery_blocks_645_vs_plain_box2d", "BM_SceneryBlocksGameOrder/645",
                       "BM_PlainBox2dBlocks/645", 3.0);
        // Teardown grows linearly: ten times the objects, at most twelve times the time.
        runs.RatioGoal("world.scenery_teardown_10000_vs_1000", "BM_SceneryTeardown/10000/iterations:4",
                       "BM_SceneryTeardown/1000/iterations:4", 12.0);
        for (const char* order : {"GameOrder", "Interleaved"}) {
            const auto* small = runs.Find(std::string("BM_SceneryBlocks") + order + "/160");
            const auto* large = runs.Find(std::string("BM_SceneryBlocks") + order + "/645");
            if (small && large && small->Counters.count("per_block") && large->Counters.count("per_block")) {
                std::printf("scenery %s: a block among 645 costs %.2fx one among 160\n", order,
                            large->Counters.at("per_block") / small->Counters.at("per_block"));
            }
        }
        const FrameWorkFigures frame = MeasureGameFrames(1200);
        std::printf("game frame (headless, camera moving one tile per frame): %d frames, CPU mean %.3f ms, "
                    "p99 %.3f ms\n",
                    frame.Frames, frame.MeanMs, frame.P99Ms);
        if (frame.Frames > 0) {
            ReportGoal("world.game_frame_mean", frame.MeanMs, "ms", 1.0);
            ReportGoal("world.game_frame_p99", frame.P99Ms, "ms", 2.0);
        } else {
            ReportGoalNotMeasured("world.game_frame_mean", "ms", 1.0, "the game did not run");
            ReportGoalNotMeasured("world.game_frame_p99", "ms", 2.0, "the game did not run");
        }
    });
}
