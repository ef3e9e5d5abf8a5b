// Saving and loading a played game: the generated world of seed 7 (81 chests and urchins) with 0,
// 50 (the goals) or 200 dropped items lying about and a full inventory, written to and read from a real slot
// file (the save syncs it to disk). The goals are on the CPU time of the main thread: on a machine shared
// with builds the wall-clock time mostly measures waiting for a core; it is printed beside it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "GameScene.h"
#include "GoalMain.h"
#include "core/Service.h"
#include "player/items/InventoryBhv.h"
#include "saves/SaveFormat.h"
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

// Rewrites slot 2 as the played game with every cell of the thing grid filled up to the limit of
// things a save may hold, with dropped items spread over the cell's tiles; returns the things it holds.
size_t WriteGameAtThingLimit() {
    saveGame("SavedGame2");
    std::ifstream in(SlotPath("SavedGame2"), std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    SavedGame game;
    std::string fault;
    if (!DecodeSavedGame(bytes, game, fault)) {
        std::fprintf(stderr, "saves_bench: the played game does not load back: %s\n", fault.c_str());
        std::exit(1);
    }
    using namespace saveformat;
    std::vector<int> perCell(static_cast<size_t>(ThingCellColumns) * ThingCellRows, 0);
    size_t things = 0;
    for (const SavedThingGroup& group : game.Groups) {
        for (const SavedThing& thing : group.Things) {
            const int column = std::clamp(static_cast<int>(thing.X), 0, SavedGame::Columns - 1);
            const int row = std::clamp(static_cast<int>(-thing.Y), 0, SavedGame::Rows - 1);
            ++perCell[static_cast<size_t>(row / ThingCellSize * ThingCellColumns + column / ThingCellSize)];
            ++things;
        }
    }
    const char* names[] = {"Item_Copper", "Item_Gold", "Item_Silver"};
    for (const char* name : names) {
        auto it = std::find_if(game.Groups.begin(), game.Groups.end(),
                               [&](const SavedThingGroup& group) { return group.Name == name; });
        if (it == game.Groups.end()) {
            it = game.Groups.insert(
                std::upper_bound(game.Groups.begin(), game.Groups.end(), name,
                                 [](const char* n, const SavedThingGroup& group) { return group.Name > n; }),
                SavedThingGroup{name, {}});
        }
    }
    for (int cellRow = 0; cellRow < ThingCellRows; ++cellRow) {
        for (int cellColumn = 0; cellColumn < ThingCellColumns; ++cellColumn) {
            int& count = perCell[static_cast<size_t>(cellRow * ThingCellColumns + cellColumn)];
            // Cells at the world's edge are cut short; things take the tiles in turn, one each.
            const int columns = std::min(ThingCellSize, SavedGame::Columns - cellColumn * ThingCellSize);
            const int rows = std::min(ThingCellSize, SavedGame::Rows - cellRow * ThingCellSize);
            for (int k = 0; count < MaxThingsPerCell; ++k, ++count, ++things) {
                const int tile = (k * 7) % (columns * rows);
                const float x = static_cast<float>(cellColumn * ThingCellSize + tile % columns) + 0.5f;
                const float y = -static_cast<float>(cellRow * ThingCellSize + tile / columns) - 0.5f;
                auto& group = *std::find_if(game.Groups.begin(), game.Groups.end(),
                                            [&](const SavedThingGroup& g) { return g.Name == names[k % 3]; });
                group.Things.push_back({x, y, 1 + k % 5});
            }
        }
    }
    if (!CheckSavedGameLimits(game, fault)) {
        std::fprintf(stderr, "saves_bench: the game at the limit is refused: %s\n", fault.c_str());
        std::exit(1);
    }
    const std::vector<uint8_t> out = EncodeSavedGame(game);
    std::ofstream(SlotPath("SavedGame2"), std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return things;
}

// Loading a save at the thing limit into a world that holds as many: what sets the limit.
void BM_LoadAtThingLimit(benchmark::State& state) {
    PlayedGame game(0);
    const size_t things = WriteGameAtThingLimit();
    loadGame("SavedGame2");
    game.queues.Flush();
    game.world->Step(1.0f / 60.0f, 8, 3);
    for (auto _ : state) {
        loadGame("SavedGame2");
        game.queues.Flush();
        state.PauseTiming();
        game.world->Step(1.0f / 60.0f, 8, 3);
        state.ResumeTiming();
    }
    state.counters["things"] = static_cast<double>(things);
}
BENCHMARK(BM_LoadAtThingLimit)->Iterations(2)->Repetitions(2)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        // A save or a load happens within one frame: budgets of the 16.7 ms frame.
        runs.CpuGoal("saves.save_ms", "BM_Save/50/real_time", 1e-6, "ms", 5.0);
        runs.CpuGoal("saves.load_ms", "BM_Load/50/real_time", 1e-6, "ms", 5.0);
        // A save at the thing limit still loads in half a second.
        runs.CpuGoal("saves.load_at_thing_limit_ms", "BM_LoadAtThingLimit/iterations:2/real_time", 1e-6, "ms",
                     500.0);
    });
}
