// The per-frame walks over a large tree: input pass and update pass over 10,000 objects with two
// behaviours each. Reported per behaviour per pass.
#include <benchmark/benchmark.h>

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

    GameTime time;
    CoroutineManager coroutines;
    Service<GameTime>::Scoped timeScope{time};
    Service<CoroutineManager>::Scoped coroutineScope{coroutines};
    GameObject root;
};

void BM_InputPass(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        InputPass(scene.root);
    }
    state.counters["ns/behaviour"] = benchmark::Counter(
        static_cast<double>(Scene::Objects * Scene::BehavioursPerObject),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_InputPass)->Unit(benchmark::kMicrosecond);

void BM_UpdatePass(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        UpdatePass(scene.root);
    }
    state.counters["ns/behaviour"] = benchmark::Counter(
        static_cast<double>(Scene::Objects * Scene::BehavioursPerObject),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_UpdatePass)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        runs.CounterGoal("core.input_pass_per_behaviour", "BM_InputPass", "ns/behaviour", 1e9, "ns", 10.0);
        runs.CounterGoal("core.update_pass_per_behaviour", "BM_UpdatePass", "ns/behaviour", 1e9, "ns", 10.0);
    });
}
