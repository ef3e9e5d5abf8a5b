// One physics frame of 500 dynamic boxes resting on chain-shape terrain: through the game's layer
// (objects with body and fixture components, the body-activity pass, the contact listener) and in
// plain Box2D with the same bodies, shapes and step. The ratio of the two is the layer's overhead.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <box2d/box2d.h>

#include "GoalMain.h"

#include "core/GameObject.h"
#include "core/ObjectPasses.h"
#include "core/Service.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2DebugDrawer.h"
#include "physics/B2FixtureComponent.h"
#include "physics/B2MainContactListener.h"
#include "physics/PhysicsWorld.h"

namespace {

constexpr int BoxCount = 500;
constexpr int Columns = 50;
constexpr float HalfSize = 0.4f;
constexpr int SettleSteps = 600; // ten seconds of play: the pile has landed and mostly rests

// Rolling terrain 120 units wide, running right to left so its solid side faces up (Box2D chains
// collide on the right of their direction), like the scenery chains that carry no component.
void AddTerrain(b2World& world) {
    std::vector<b2Vec2> points;
    for (int i = 120; i >= 0; --i) {
        const float x = static_cast<float>(i) - 60.0f;
        points.emplace_back(x, 2.0f * std::sin(x * 0.15f));
    }
    b2BodyDef def;
    b2Body* ground = world.CreateBody(&def);
    b2ChainShape chain;
    chain.CreateChain(points.data(), static_cast<int>(points.size()), points.front() + b2Vec2(1.0f, 0.0f),
                      points.back() - b2Vec2(1.0f, 0.0f));
    ground->CreateFixture(&chain, 0.0f);
}

b2Vec2 BoxPosition(int i) {
    return {-25.0f + 1.0f * static_cast<float>(i % Columns), 5.0f + 1.0f * static_cast<float>(i / Columns)};
}

struct GameScene {
    explicit GameScene(bool allowSleep) {
        world->SetAllowSleeping(allowSleep);
        AddTerrain(*world);
        for (int i = 0; i < BoxCount; ++i) {
            auto* object = new GameObject;
            auto* body = new B2BodyComponent;
            object->AddComponent(body);
            body->SetPropertyText("Type", 0, "2");
            const b2Vec2 p = BoxPosition(i);
            body->SetPosition(p.x, p.y);
            auto* fixture = new B2FixtureComponent;
            object->AddComponent(fixture);
            fixture->SetShapeText("Box 0.4 0.4");
            gameplayRoot->AppendChild(object);
        }
    }
    ~GameScene() { gameplayRoot.reset(); }

    void Frame() {
        BodyActivityPass(*gameplayRoot, gameplayRoot->UpdateEnabled);
        StepPhysics(*world, 1.0f / 60.0f, 60);
    }

    B2MainContactListener listener;
    B2DebugDrawer drawer;
    std::unique_ptr<b2World> world = CreatePhysicsWorld(listener, drawer);
    Service<b2World>::Scoped worldScope{*world};
    std::unique_ptr<GameObject> gameplayRoot = std::make_unique<GameObject>();
};

struct PlainScene {
    explicit PlainScene(bool allowSleep) {
        world.SetAllowSleeping(allowSleep);
        AddTerrain(world);
        b2PolygonShape box;
        box.SetAsBox(HalfSize, HalfSize);
        b2FixtureDef fixture;
        fixture.shape = &box;
        fixture.friction = 0.2f;
        fixture.density = 1.0f;
        for (int i = 0; i < BoxCount; ++i) {
            b2BodyDef def;
            def.type = b2_dynamicBody;
            def.position = BoxPosition(i);
            world.CreateBody(&def)->CreateFixture(&fixture);
        }
    }
    void Frame() { world.Step(1.0f / 60.0f, 8, 3); }

    b2World world{b2Vec2(0.0f, -10.0f)};
};

int AwakeBodies(const b2World& world) {
    int awake = 0;
    for (const b2Body* b = world.GetBodyList(); b; b = b->GetNext()) {
        awake += b->GetType() == b2_dynamicBody && b->IsAwake();
    }
    return awake;
}

template <class Scene> void RestingBoxes(benchmark::State& state) {
    Scene scene(state.range(0) != 0);
    for (int i = 0; i < SettleSteps; ++i) {
        scene.Frame();
    }
    for (auto _ : state) {
        scene.Frame();
    }
    const b2World& world = [&]() -> const b2World& {
        if constexpr (std::is_same_v<Scene, GameScene>) {
            return *scene.world;
        } else {
            return scene.world;
        }
    }();
    state.counters["awake"] = AwakeBodies(world);
    state.counters["contacts"] = world.GetContactCount();
}

// Argument: 1 with Box2D's sleeping (the game's setting), 0 with every body kept awake. Repetitions
// interleave with plain Box2D's (see RunBenchmarksWithGoals). A set number of frames: settling the
// pile costs more than the frames measured, and sizing a run by time would settle it again each try.
constexpr int Repetitions = 3;
constexpr int Frames = 200;
BENCHMARK_TEMPLATE(RestingBoxes, GameScene)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repetitions)
    ->Iterations(Frames);
BENCHMARK_TEMPLATE(RestingBoxes, PlainScene)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(Repetitions)
    ->Iterations(Frames);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        const std::string frames = "/iterations:" + std::to_string(Frames);
        runs.RatioGoal("physics.step_vs_plain_box2d_sleeping", "RestingBoxes<GameScene>/1" + frames,
                       "RestingBoxes<PlainScene>/1" + frames, 1.1);
        runs.RatioGoal("physics.step_vs_plain_box2d_awake", "RestingBoxes<GameScene>/0" + frames,
                       "RestingBoxes<PlainScene>/0" + frames, 1.1);
    });
}
