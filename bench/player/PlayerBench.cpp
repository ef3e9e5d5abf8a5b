// The player's share of a frame: the submarine steering with its magnet pulling 20 pickups and the
// drill held against rock (its arm walked out to the first solid tile, that tile outlined and
// cracked), the input and update passes over the sub root and the inventory; the drill's aim alone
// at its longest, against that frame; and
// the heap allocations of warm frames and of a blast over tiles it cannot break (the drill's
// damaged-tile lookup, the magnet's query and the explosion's tile loop must allocate nothing).
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>

#include "AllocationCounter.h"
#include "GoalMain.h"
#include "Scene.h"
#include "audio/RegisterAudioClasses.h"
#include "components/RegisterComponentsClasses.h"
#include "core/ObjectPasses.h"
#include "core/Pos2dComponent.h"
#include "core/RegisterCoreClasses.h"
#include "core/WellKnown.h"
#include "input/InputManager.h"
#include "physics/RegisterPhysicsClasses.h"
#include "player/RegisterPlayerClasses.h"
#include "player/items/InventoryBhv.h"
#include "player/sub/SubRootBhv.h"
#include "player/tools/DrillTargetBhv.h"
#include "player/tools/ExplosiveBhv.h"
#include "world/RandomManager.h"
#include "world/RegisterWorldClasses.h"
#include "world/TileGrid.h"
#include "world/things/ThingRootBhv.h"
#include "world/tiles/FirstSolidCell.h"
#include "world/tiles/TileTypeBhv.h"
#include "world/tiles/TileTypeTable.h"

namespace {

// A scene holding the submarine near the surface over a slab of rock its drill never finishes,
// 20 money pickups in its magnet's reach, and the drill selected and held.
struct PlayerScene : Scene {
    PlayerScene() {
        RegisterCoreClasses(prefabs.Registry);
        RegisterPhysicsClasses(prefabs.Registry);
        RegisterComponentsClasses(prefabs.Registry);
        RegisterAudioClasses(prefabs.Registry);
        RegisterWorldClasses(prefabs.Registry);
        RegisterPlayerClasses(prefabs.Registry);
        RegisterPrefabClasses(prefabs.Registry);
        prefabs.Registry.BuildPrototypes();
        Add("ThingGridCell", R"({"Components": {"ThingGridCellBhv": ""}, "AutoCreate": ""})");
        Add("ThingsIncoming", R"({"Components": "", "AutoCreate": ""})");
        Add("Layer", R"({"Components": "", "AutoCreate": ""})");
        Add("Part", R"({"Components": {"Pos2dComponent": "", "SpriteComponent": ""}, "AutoCreate": ""})");
        Add("DrillDisplay", R"({"Components": {"TintComponent": ""}, "AutoCreate": [
            {"Name": "DrillStemSprite", "Prefab": "Part"}, {"Name": "DrillHeadSprite", "Prefab": "Part"}]})");
        std::string lines;
        for (int i = 0; i < 4 + DrillTargetBhv::CrackStrokes; ++i) {
            lines += std::string(i ? ", " : "") + R"({"Name": ")" + (i < 4 ? "Edge" : "Crack") +
                     R"(", "Prefab": "Line"})";
        }
        Add("Line", R"({"Components": {"Pos2dComponent": "", "SpriteComponent": "", "TintComponent": ""},
            "AutoCreate": ""})");
        Add("DrillTargetDisplay", R"({"Components": {"DrillTargetBhv": ""}, "AutoCreate": [)" + lines + "]}");
        Add("Sub", R"({"Components": {"B2BodyComponent": {"Type": "2", "GravityScale": "0"},
            "B2FixtureComponent": {"Shape": "Polygon -0.9 -0.4 0.9 -0.4 0.9 0.2 -0.5 0.5"},
            "SpriteComponent": {"Size": {"X": "2", "Y": "1"}}, "SubBhv": ""}, "AutoCreate": ""})");
        Add("Item_PlasticDrill", R"({"Components": {"ItemComponent": {"IsWeapon": "true"}, "DrillBhv": ""},
            "AutoCreate": ""})");
        Add("Pkup_Money1", R"({"Components": {"ThingComponent": "", "B2BodyComponent": {"Type": "2",
            "GravityScale": "0"}, "B2FixtureComponent": {"Shape": "Circle 0.3"}, "Pkup_MoneyBhv": ""},
            "AutoCreate": ""})");

        auto* rock = new TileTypeBhv();
        rock->TileIndex = 2;
        rock->Hardness = 10;
        rock->DrillResistance = 1 << 30;
        tileTypes.AddComponent(rock);
        table.Put(2, rock);
        for (int c = 0; c < 30; ++c) {
            for (int r = 17; r < 40; ++r) {
                grid.Set(c, r, 2);
            }
        }

        input.Mappings.emplace(Action::MainWeapon, Key::LeftMouse);
        input.Mappings.emplace(Action::MoveRight, Key::D);
        input.SetKeyState(Key::LeftMouse, true);
        input.SetKeyState(Key::D, true);
        input.SetMousePosition(152.0f, 292.0f); // (9.5, -18.75): rock below the submarine

        auto* things = new GameObject();
        things->AppendChild(new GameObject("ThingsIncoming"));
        thingRoot = new ThingRootBhv();
        thingRoot->SpawnInterval = 1e9f;
        things->AddComponent(thingRoot);
        root.AppendChild(things);
        thingRoot->Start();

        subRoot = new GameObject();
        auto* subRootBhv = new SubRootBhv();
        subRoot->AddComponent(subRootBhv);
        subRootBhv->Start();
        for (const char* layer : {"SubBackLayer", "Sub", "SubFrontLayer"}) {
            auto* child = new GameObject(layer == std::string("Sub") ? "Sub" : "Layer");
            child->Name = layer;
            subRoot->AppendChild(child);
        }
        root.AppendChild(subRoot);

        inventory = new GameObject();
        inventory->AppendChild(new GameObject("Item_PlasticDrill"));
        auto* inventoryBhv = new InventoryBhv();
        inventory->AddComponent(inventoryBhv);
        inventoryBhv->Start();
        root.AppendChild(inventory);

        for (int i = 0; i < 20; ++i) {
            const float angle = static_cast<float>(i) * 0.314f;
            thingRoot->SpawnThing("Pkup_Money1",
                                  {9.5f + 3.0f * std::cos(angle), -15.0f + 3.0f * std::sin(angle)});
        }
    }
    ~PlayerScene() {
        queues.Flush();
        ClearTree();
    }

    void Add(const std::string& name, const std::string& json) {
        std::istringstream in(json);
        prefabs.Prefabs[name] = prefabs.ReadPrefab(name, in, name + ".json");
    }

    // The player's passes of one frame; the pickups stay where they are, so the magnet pulls every
    // one of them every frame.
    void PlayerFrame() {
        time.TotalTime += time.FrameDelta;
        InputPass(*subRoot);
        InputPass(*inventory);
        UpdatePass(*subRoot);
        UpdatePass(*inventory);
    }

    RandomManager random{7};
    TileGrid grid;
    Service<RandomManager>::Scoped randomScope{random};
    Service<TileGrid>::Scoped gridScope{grid};
    TileTypeTable table;
    WellKnown<TileTypeTable>::Override tableScope{&table};
    GameObject tileTypes;
    InputManager input;
    Service<InputManager>::Scoped inputScope{input};
    ThingRootBhv* thingRoot = nullptr;
    GameObject* subRoot = nullptr;
    GameObject* inventory = nullptr;
};

void BM_PlayerFrame(benchmark::State& state) {
    PlayerScene scene;
    for (auto _ : state) {
        scene.PlayerFrame();
    }
}
// Short repetitions, interleaved with the frame they are compared with.
constexpr int Repetitions = 5;
constexpr double RepetitionSeconds = 0.1;

BENCHMARK(BM_PlayerFrame)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(Repetitions)
    ->MinTime(RepetitionSeconds);

// What the drill adds to a frame at its longest: the arm walked diagonally through three units, open
// water nearly all the way to the rock, and that tile outlined with its whole crack.
void BM_DrillAim(benchmark::State& state) {
    PlayerScene scene;
    auto* display = new GameObject("DrillTargetDisplay");
    scene.root.AppendChild(display);
    auto* target = display->GetComponentOfType<DrillTargetBhv>();
    const Vector2 from{9.6f, -15.1f};
    const Vector2 to{9.6f + 2.12f, -15.1f - 2.12f};
    for (auto _ : state) {
        const SolidHit hit = FirstSolidCell(scene.grid, from, to);
        target->Show(hit.Cell, 1.0f, false);
        benchmark::DoNotOptimize(hit.Along);
    }
}
BENCHMARK(BM_DrillAim)->Unit(benchmark::kMicrosecond)->Repetitions(Repetitions)->MinTime(RepetitionSeconds);

double WarmFrameAllocations() {
    PlayerScene scene;
    for (int i = 0; i < 120; ++i) { // the drill's routines, display and damaged tile come to be
        scene.PlayerFrame();
    }
    const long before = AllocationCount();
    const int frames = 600;
    for (int i = 0; i < frames; ++i) {
        scene.PlayerFrame();
    }
    return static_cast<double>(AllocationCount() - before) / frames;
}

double BlastAllocations() {
    PlayerScene scene;
    auto* bomb = new GameObject();
    bomb->AddComponent(new Pos2dComponent());
    bomb->Pos2d()->Pos = {15.0f, -25.0f};
    auto* explosive = new ExplosiveBhv();
    explosive->TileHardness = 5; // softer than the rock: every cell is looked at, none breaks
    explosive->TileDamageRadius = 8.0f;
    bomb->AddComponent(explosive);
    scene.root.AppendChild(bomb);
    explosive->explode();
    const long before = AllocationCount();
    for (int i = 0; i < 100; ++i) {
        explosive->explode();
    }
    return static_cast<double>(AllocationCount() - before) / 100.0;
}

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        // The player's share of the 16.7 ms frame.
        runs.CpuGoal("player.frame", "BM_PlayerFrame", 1e-6, "ms", 0.1);
        // The arm's walk and the outlined tile take a small share of that frame.
        runs.RatioGoal("player.drill_aim_vs_frame", "BM_DrillAim", "BM_PlayerFrame", 0.25);
        ReportGoal("player.warm_frame_allocations", WarmFrameAllocations(), "allocs", 0.0);
        ReportGoal("player.blast_allocations", BlastAllocations(), "allocs", 0.0);
    });
}
