// Prefab loading throughput and instantiation cost.
#include <filesystem>
#include <fstream>
#include <random>

#include <benchmark/benchmark.h>

#include "core/Behavior.h"
#include "core/GameObject.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "prefabs/PrefabManager.h"

namespace {

class BenchBhv : public Behavior {
public:
    BenchBhv() {
        RegisterProperty("Speed", &Speed);
        RegisterProperty("Label", &Label);
        RegisterProperty("Tint", &Tint);
    }
    float Speed = 0;
    std::string Label;
    Color Tint;
};

void RegisterBenchClasses(ComponentRegistry& registry) {
    registry.Register<Pos2dComponent>();
    registry.Register<BenchBhv>("BenchBhv");
}

// A realistic prefab: 10 components with 3 stored properties each (30 in all), and 2 children.
std::string PrefabText(int seed) {
    std::string text = "{\n    \"Components\": {\n";
    for (int i = 0; i < 10; ++i) {
        if (i % 2 == 0) {
            text += "        \"Pos2dComponent\": {\n            \"IsRelative\": \"true\",\n            "
                    "\"Pos\": {\n"
                    "                \"X\": \"" +
                    std::to_string(seed + i) +
                    ".25\",\n                \"Y\": \"-3.5\"\n"
                    "            },\n            \"Rotation\": \"0.100000001\"\n        }";
        } else {
            text += "        \"BenchBhv\": {\n            \"Label\": \"Label number " + std::to_string(i) +
                    "\",\n            \"Speed\": \"12.5\",\n            \"Tint\": {\n                \"A\": "
                    "\"1\",\n"
                    "                \"Rgb\": \"ff8000\"\n            }\n        }";
        }
        text += i < 9 ? ",\n" : "\n";
    }
    text += "    },\n    \"AutoCreate\": [\n        {\n            \"Name\": \"Left\",\n            "
            "\"Prefab\": \"Leaf\"\n"
            "        },\n        {\n            \"Prefab\": \"Leaf\"\n        }\n    ]\n}\n";
    return text;
}

void BM_LoadPrefabFolder(benchmark::State& state) {
    auto folder =
        std::filesystem::temp_directory_path() / ("kelvane-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder);
    const int files = 1000;
    size_t bytes = 0;
    for (int i = 0; i < files; ++i) {
        std::string text = PrefabText(i);
        bytes += text.size();
        std::ofstream(folder / ("Prefab" + std::to_string(i) + ".json"), std::ios::binary) << text;
    }
    // The prefab every one of them builds twice: loading refuses an AutoCreate that names nothing.
    std::ofstream(folder / "Leaf.json", std::ios::binary)
        << "{\n    \"Components\": \"\",\n    \"AutoCreate\": \"\"\n}\n";
    PrefabManager manager;
    RegisterBenchClasses(manager.Registry);
    manager.Registry.BuildPrototypes();
    for (auto _ : state) {
        manager.Load(folder);
        benchmark::DoNotOptimize(manager.Prefabs.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.SetItemsProcessed(state.iterations() * files);
    state.counters["bytes_per_file"] = static_cast<double>(bytes) / files;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadPrefabFolder)->Unit(benchmark::kMillisecond);

void BM_InstantiatePrefab(benchmark::State& state) {
    PrefabManager manager;
    Service<PrefabManager>::Scoped installed(manager);
    RegisterBenchClasses(manager.Registry);
    manager.Registry.BuildPrototypes();
    std::string text = PrefabText(1);
    // The children are left out: the figure is for one object of 10 components and 30 values.
    text.replace(text.find("\"AutoCreate\": ["), std::string::npos, "\"AutoCreate\": \"\"\n}\n");
    std::istringstream in(text);
    manager.Prefabs["Ten"] = manager.ReadPrefab("Ten", in, "Ten.json");
    for (auto _ : state) {
        GameObject object("Ten");
        benchmark::DoNotOptimize(object.Components.data());
    }
}
BENCHMARK(BM_InstantiatePrefab)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
