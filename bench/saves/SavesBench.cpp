// Saving and loading a played game: the generated world of seed 7 (81 chests and urchins) with 0,
// 50 (the goals) or 200 dropped items lying about and a full inventory, written to and read from a real slot
// file (the save syncs it to disk). The goals are on the CPU time of the main thread: on a machine shared
// with builds the wall-clock time mostly measures waiting for a core; it is printed beside it.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "GameScene.h"
#include "GoalMain.h"
#include "core/Service.h"
#include "player/items/InventoryBhv.h"
#include "saves/SavedGames.h"
#include "saves/SlotFiles.h"
#include "world/things/ThingRootBhv.h"

namespace {

struct PlayedGame : GameScene {
    explicit PlayedGame(int droppedItems) {
        std::filesystem::create_directories(KELVANE_SAVES_DIR);
        ThingRootBhv* things = WellKnown<ThingRootBhv>::Get();
        for (int i = 0; i < droppedItems; ++i) {
            things->SpawnItemPickup(1 + i % 9, i % 2 ? "Item_Copper" : "Item_Silver",
                                    {5.5f + static_cast<float>(i % 140), -2.5f - static_cast<float>(i / 2)});
        }
        for (const char* item :
             {"Item_DirtBlock", "Item_RockBlock", "Item_Gold", "Item_Bomb", "Item_RepairKit",
              "Item_ShrimpZapper", "Item_BoostRocket", "Item_BlockPlacer"}) {
            addItem(3, item);
        }
        WellKnown<InventoryBhv>::Get()->Money = 123456;
    }
    SlotFolderOverride folder{KELVANE_SAVES_DIR};
    Service<SlotFolderOverride>::Scoped folderScope{folder};
};

void BM_Save(benchmark::State& state) {
    PlayedGame game(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        saveGame("SavedGame1");
    }
}
BENCHMARK(BM_Save)->Arg(0)->Arg(50)->Arg(200)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& state) {
    PlayedGame game(static_cast<int>(state.range(0)));
    saveGame("SavedGame1");
    for (auto _ : state) {
        loadGame("SavedGame1");
        // The replaced things go at the end of the same frame: their cost is the load's.
        game.queues.Flush();
        // The world steps between loads, as between frames.
        state.PauseTiming();
        game.world->Step(1.0f / 60.0f, 8, 3);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Load)->Arg(0)->Arg(50)->Arg(200)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        // A save or a load happens within one frame: budgets of the 16.7 ms frame.
        runs.CpuGoal("saves.save_ms", "BM_Save/50/real_time", 1e-6, "ms", 5.0);
        runs.CpuGoal("saves.load_ms", "BM_Load/50/real_time", 1e-6, "ms", 5.0);
    });
}
