// The per-frame walks over a large tree: input pass and update pass over 10,000 objects with two
// behaviours each, against a plain loop calling the same hooks of the same behaviours from a flat
// list (no tree, no flags, no coroutine check): the walk's own cost is the ratio of the two.
#include <benchmark/benchmark.h>

#include <vector>

#include "GoalMain.h"

#include "core/Behavior.h"
#include "core/CoroutineManager.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/ObjectPasses.h"
#include "core/Service.h"

namespace {

// A typical cheap behaviour: reads and writes a little state in both hooks.
class CounterBhv : public Behavior {
public:
    void HandleInput() override { ++inputs_; }
    void Update() override { ++updates_; }

private:
    int inputs_ = 0;
    int updates_ = 0;
};

struct Scene {
    static constexpr int Objects = 10'000;
    static constexpr int BehavioursPerObject = 2;

    Scene() {
        time.FrameDelta = 1.0f / 60.0f;
        // Groups of 100 under 100 parents: a realistic depth and fan-out.
        for (int g = 0; g < Objects / 100; ++g) {
            auto* group = new GameObject;
            root.AppendChild(group);
            for (int i = 0; i < 100; ++i) {
                auto* object = new GameObject;
                for (int b = 0; b < BehavioursPerObject; ++b) {
                    object->AddComponent(new CounterBhv);
                }
                group->AppendChild(object);
            }
        }
    }

    // Every behaviour in the order the passes reach them.
    std::vector<Behavior*> FlatBehaviours() {
        std::vector<Behavior*> all;
        for (GameObject* group : root.Children) {
            for (GameObject* object : group->Children) {
                all.insert(all.end(), object->Behaviors.begin(), object->Behaviors.end());
            }
        }
        return all;
    }

    GameTime time;
    CoroutineManager coroutines;
    Service<GameTime>::Scoped timeScope{time};
    Service<CoroutineManager>::Scoped coroutineScope{coroutines};
    GameObject root;
};

void CountPerBehaviour(benchmark::State& state) {
    state.counters["ns/behaviour"] =
        benchmark::Counter(static_cast<double>(Scene::Objects * Scene::BehavioursPerObject),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Short repetitions, interleaved with the reference's, so both see the same machine.
constexpr int Repetitions = 7;
constexpr double RepetitionSeconds = 0.1;

void BM_InputPass(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        InputPass(scene.root);
    }
    CountPerBehaviour(state);
}
BENCHMARK(BM_InputPass)->Unit(benchmark::kMicrosecond)->Repetitions(Repetitions)->MinTime(RepetitionSeconds);

void BM_PlainInputLoop(benchmark::State& state) {
    Scene scene;
    const std::vector<Behavior*> behaviours = scene.FlatBehaviours();
    for (auto _ : state) {
        for (Behavior* behaviour : behaviours) {
            behaviour->HandleInput();
        }
        benchmark::ClobberMemory();
    }
    CountPerBehaviour(state);
}
BENCHMARK(BM_PlainInputLoop)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(Repetitions)
    ->MinTime(RepetitionSeconds);

void BM_UpdatePass(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        UpdatePass(scene.root);
    }
    CountPerBehaviour(state);
}
BENCHMARK(BM_UpdatePass)->Unit(benchmark::kMicrosecond)->Repetitions(Repetitions)->MinTime(RepetitionSeconds);

void BM_PlainUpdateLoop(benchmark::State& state) {
    Scene scene;
    const std::vector<Behavior*> behaviours = scene.FlatBehaviours();
    for (auto _ : state) {
        for (Behavior* behaviour : behaviours) {
            behaviour->Update();
        }
        benchmark::ClobberMemory();
    }
    CountPerBehaviour(state);
}
BENCHMARK(BM_PlainUpdateLoop)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(Repetitions)
    ->MinTime(RepetitionSeconds);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        // The walk over the tree (its objects, flags and lists) may cost half as much again as the
        // hooks it calls, no more.
        runs.RatioGoal("core.input_pass_vs_plain_loop", "BM_InputPass", "BM_PlainInputLoop", 1.5);
        runs.RatioGoal("core.update_pass_vs_plain_loop", "BM_UpdatePass", "BM_PlainUpdateLoop", 1.5);
    });
}
