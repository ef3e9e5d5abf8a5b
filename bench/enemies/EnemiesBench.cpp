#include <algorithm>
#include <cstdio>
#include <vector>

#include "FrameWork.h"
#include "Goal.h"
#include "app/Application.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "enemies/Submarine.h"
#include "enemies/creatures/ProximityAttackBhv.h"
#include "platform/Clock.h"
#include "player/items/InventoryBhv.h"
#include "world/TileGrid.h"
#include "world/scenery/SceneryCollisionManagerBhv.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/things/ThingRootBhv.h"

namespace {

constexpr int Shrimps = 30;
constexpr int Urchins = 10;

struct CrowdFigures : FrameWorkFigures {
    double MeanEnemies = 0.0;
    double MeanAttacking = 0.0;
};

// Clears a cave around the submarine, lays a rock floor with urchins on it and lets shrimps loose
// around it, all within the camera's view.
void PopulateCave() {
    TileGrid& grid = Service<TileGrid>::Get();
    ThingRootBhv& things = *WellKnown<ThingRootBhv>::Get();
    const Vector2 sub = SubmarineObject()->GetPosition();
    const TileGrid::Cell centre = TileGrid::CellAt(sub.x, sub.y);
    const int floorRow = centre.Row + 8;
    for (int r = std::max(centre.Row - 14, 0); r <= floorRow; ++r) {
        for (int c = 0; c < 48; ++c) {
            grid.Set(c, r, r == floorRow ? 2 : 0);
        }
    }
    for (int i = 0; i < Urchins; ++i) {
        const int column = 4 + 3 * i;
        grid.Set(column, floorRow - 1, 5);
        things.SpawnThing("En_SeaUrchin", TileGrid::CellCentre(column, floorRow - 1));
    }
    for (int i = 0; i < Shrimps; ++i) {
        const Vector2 offset = ThingRootBhv::RandomDirection(2.0f + static_cast<float>(i % 10));
        things.SpawnThing(i % 3 == 0 ? "En_ShrimpFast" : "En_Shrimp", {sub.x + offset.x, sub.y + offset.y});
    }
    WellKnown<SceneryCollisionManagerBhv>::Get()->MarkAllSceneryDirty();
}

// The game, headless and in fixed steps from seed 7, with the crowd in view; the thread CPU time of
// each frame's own work.
CrowdFigures MeasureCrowdFrames(int frames) {
    AppOptions options;
    options.Headless = true;
    options.FixedStep = true;
    options.Frames = frames;
    options.Seed = 7;
    SystemClock clock;
    Application application(options, clock);
    std::vector<double> workMs;
    double enemies = 0.0;
    double attacking = 0.0;
    uint64_t last = 0;
    application.SetFrameObserver([&](int64_t frame) {
        const uint64_t now = ThreadCpuNanoseconds();
        if (frame == 1) {
            PopulateCave();
        }
        if (InventoryBhv* inventory = WellKnown<InventoryBhv>::Get()) {
            inventory->Health = inventory->HealthMax = 1000000; // the crowd must not end the run
        }
        if (frame > 10) {
            workMs.push_back(static_cast<double>(now - last) / 1e6);
            for (const ThingGridCellBhv* cell : WellKnown<ThingRootBhv>::Get()->Cells()) {
                if (!cell->Owner || !cell->Owner->UpdateEnabled) {
                    continue;
                }
                for (const GameObject* child : cell->Owner->Children) {
                    if (child->GetSlot(ShortcutSlot::Enemy)) {
                        enemies += 1.0;
                        const auto* attack = child->GetComponentOfType<ProximityAttackBhv>();
                        attacking += attack && attack->IsAttacking() ? 1.0 : 0.0;
                    }
                }
            }
        }
        last = ThreadCpuNanoseconds();
    });
    if (application.Run() != 0) {
        std::fprintf(stderr, "enemies_bench: the game did not run (run from build/release/bin)\n");
        return {};
    }
    CrowdFigures figures;
    if (!workMs.empty()) {
        figures.MeanEnemies = enemies / static_cast<double>(workMs.size());
        figures.MeanAttacking = attacking / static_cast<double>(workMs.size());
    }
    static_cast<FrameWorkFigures&>(figures) = SummariseFrameWork(std::move(workMs));
    return figures;
}

} // namespace

int main() {
    const CrowdFigures crowd = MeasureCrowdFrames(1200);
    std::printf(
        "game frame with creatures (headless, %d urchins and %d shrimps placed around the submarine): "
        "%d frames, %.1f active creatures and %.1f attacking on average, CPU mean %.3f ms, p99 %.3f ms\n",
        Urchins, Shrimps, crowd.Frames, crowd.MeanEnemies, crowd.MeanAttacking, crowd.MeanMs, crowd.P99Ms);
    if (crowd.Frames > 0) {
        ReportGoal("enemies.game_frame_mean_40", crowd.MeanMs, "ms", 0.25);
        ReportGoal("enemies.game_frame_p99_40", crowd.P99Ms, "ms", 0.5);
    } else {
        ReportGoalNotMeasured("enemies.game_frame_mean_40", "ms", 0.25, "the game did not run");
        ReportGoalNotMeasured("enemies.game_frame_p99_40", "ms", 0.5, "the game did not run");
    }
    return GoalsNotMeasured() == 0 ? 0 : 1;
}
