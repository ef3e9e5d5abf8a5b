// Prefab loading throughput and instantiation cost: a pickup-like thing (body, fixture, sprite, tint
// and two behaviours) built a thousand times from its prefab, against the same objects built in plain
// C++ with the same values.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <benchmark/benchmark.h>
#include <box2d/b2_body.h>

#include "GoalMain.h"
#include "Scene.h"

#include "assets/Texture.h"
#include "components/SpriteComponent.h"
#include "components/TintComponent.h"
#include "core/Behavior.h"
#include "core/GameObject.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"
#include "prefabs/PrefabManager.h"
#include "reflection/ResourceLookup.h"

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

// The two behaviours of a pickup: what it gives, and a flash started as it appears.
class BenchPickupBhv : public Behavior {
public:
    BenchPickupBhv() { RegisterProperty("Money", &Money); }
    void Start() override { Started = true; }
    int Money = 0;
    bool Started = false;
};

class BenchFlashBhv : public Behavior {
public:
    BenchFlashBhv() {
        RegisterProperty("FlashSeconds", &FlashSeconds);
        RegisterProperty("FlashTint", &FlashTint);
    }
    void Start() override { Left = FlashSeconds; }
    float FlashSeconds = 0.5f;
    Color FlashTint = Color::White();
    float Left = 0.0f;
};

// One atlas, "Game", with the sprite "Money".
class BenchTextures final : public TextureLookup {
public:
    BenchTextures() {
        game_.Name = "Game";
        game_.SpriteNames = {"Heart", "Money"};
        game_.SpriteIndex = {{"Heart", 0}, {"Money", 1}};
        game_.UvRects = {{0.0f, 0.0f, 0.5f, 0.5f}, {0.5f, 0.0f, 0.5f, 0.5f}};
        game_.TrimRects = {{0.0f, 0.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 1.0f, 1.0f}};
    }
    Texture* FindTexture(const std::string& name) const override {
        return name == game_.Name ? const_cast<Texture*>(&game_) : nullptr;
    }
    std::string TextureName(const Texture& texture) const override { return texture.Name; }
    Texture& Game() { return game_; }

private:
    Texture game_;
};

constexpr const char* PickupPrefab = R"({
    "Components": {
        "Pos2dComponent": "",
        "B2BodyComponent": {
            "GravityScale": "0.100000001",
            "IsFixedRotation": "true",
            "LinearDamping": "1",
            "Type": "2"
        },
        "B2FixtureComponent": {
            "Density": "0.200000003",
            "Shape": "Circle 0.3"
        },
        "SpriteComponent": {
            "ImageName": "Money",
            "Layer": "World",
            "Size": {
                "X": "0.5",
                "Y": "0.5"
            },
            "Tex": "Game"
        },
        "TintComponent": "",
        "BenchPickupBhv": {
            "Money": "1"
        },
        "BenchFlashBhv": {
            "FlashSeconds": "0.25"
        }
    },
    "AutoCreate": ""
})";

constexpr int PickupsPerBatch = 1000;

// The scene both builds run in: a physics world, the prefab of the pickup and the atlas it names.
struct PickupScene : Scene {
    PickupScene() {
        prefabs.Registry.Register<Pos2dComponent>();
        prefabs.Registry.Register<B2BodyComponent>();
        prefabs.Registry.Register<B2FixtureComponent>();
        prefabs.Registry.Register<SpriteComponent>();
        prefabs.Registry.Register<TintComponent>();
        prefabs.Registry.Register<BenchPickupBhv>("BenchPickupBhv");
        prefabs.Registry.Register<BenchFlashBhv>("BenchFlashBhv");
        prefabs.Registry.BuildPrototypes();
        std::istringstream in(PickupPrefab);
        prefabs.Prefabs["Pkup_Money"] = prefabs.ReadPrefab("Pkup_Money", in, "Pkup_Money.json");
    }
    // Deletes the batch untimed, with a step between batches as between frames.
    void Clear(benchmark::State& state) {
        state.PauseTiming();
        while (!root.Children.empty()) {
            delete root.Children.back();
        }
        world->Step(1.0f / 60.0f, 8, 3);
        state.ResumeTiming();
    }
    BenchTextures textures;
    Service<TextureLookup>::Scoped texturesScope{textures};
};

Vector2 BatchPosition(int i) {
    return {static_cast<float>(i % 100), -static_cast<float>(i / 100)};
}

void BM_InstantiatePickup(benchmark::State& state) {
    PickupScene scene;
    for (auto _ : state) {
        for (int i = 0; i < PickupsPerBatch; ++i) {
            auto* object = new GameObject("Pkup_Money");
            const Vector2 p = BatchPosition(i);
            object->Body()->SetPosition(p.x, p.y);
            scene.root.AppendChild(object);
        }
        scene.Clear(state);
    }
    state.SetItemsProcessed(state.iterations() * PickupsPerBatch);
}
BENCHMARK(BM_InstantiatePickup)->Unit(benchmark::kMillisecond)->Repetitions(7)->MinTime(0.1);

// The same objects with the same values, set through each component's own C++ interface.
void BM_HandBuiltPickup(benchmark::State& state) {
    PickupScene scene;
    Texture* game = &scene.textures.Game();
    for (auto _ : state) {
        for (int i = 0; i < PickupsPerBatch; ++i) {
            auto* object = new GameObject();
            object->PrefabName = "Pkup_Money";
            object->AddComponent(new Pos2dComponent());
            auto* body = new B2BodyComponent();
            object->AddComponent(body);
            b2Body* b = body->GetBody();
            b->SetGravityScale(0.1f);
            b->SetFixedRotation(true);
            b->ResetMassData();
            b->SetLinearDamping(1.0f);
            b->SetType(b2_dynamicBody);
            auto* fixture = new B2FixtureComponent();
            object->AddComponent(fixture);
            fixture->definition.density = 0.2f;
            fixture->SetShapeText("Circle 0.3");
            auto* sprite = new SpriteComponent();
            object->AddComponent(sprite);
            sprite->SetImageName("Money");
            sprite->Layer = DrawLayer::World;
            sprite->Size = {0.5f, 0.5f};
            sprite->SetTexture(game);
            object->AddComponent(new TintComponent());
            auto* pickup = new BenchPickupBhv();
            object->AddComponent(pickup);
            pickup->Money = 1;
            auto* flash = new BenchFlashBhv();
            object->AddComponent(flash);
            flash->FlashSeconds = 0.25f;
            pickup->Start();
            flash->Start();
            object->Name = object->PrefabName;
            const Vector2 p = BatchPosition(i);
            body->SetPosition(p.x, p.y);
            scene.root.AppendChild(object);
        }
        scene.Clear(state);
    }
    state.SetItemsProcessed(state.iterations() * PickupsPerBatch);
}
BENCHMARK(BM_HandBuiltPickup)->Unit(benchmark::kMillisecond)->Repetitions(7)->MinTime(0.1);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        if (const auto* prefab = runs.Find("BM_InstantiatePickup")) {
            std::printf("a pickup from its prefab: %.2f us\n", prefab->CpuNs / PickupsPerBatch / 1e3);
        }
        // Building from a prefab copies prepared values: no dearer than twice building by hand.
        runs.RatioGoal("prefabs.instantiate_vs_hand_built", "BM_InstantiatePickup", "BM_HandBuiltPickup",
                       2.0);
    });
}
