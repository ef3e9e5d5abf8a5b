// What the HUD and an open menu cost a frame of the real game: headless, run from the folder beside
// its Content, once as a player sees it, once with the HUD taken out of the tree, and, when the
// game has its menus, once with the main menu open against a game paused by hand with neither HUD
// nor menus. The CPU time of a frame is the main thread's CPU time between the end of one frame and
// the end of the next (the pacer's clock takes no time to sleep). The HUD's steady updates are
// counted for heap allocations: readouts whose numbers did not change must rewrite nothing. The
// station arrow's update is timed against the money, hull and depth readouts' update, in the same
// game at the same moment.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <unistd.h>

#include "../render/AllocationCounter.h"
#include "FastClock.h"
#include "GoalMain.h"
#include "app/Application.h"
#include "core/GameObject.h"
#include "core/ObjectPasses.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "platform/Clock.h"
#include "ui/hud/HudRootBhv.h"
#include "ui/hud/HudStationPointerBhv.h"

namespace {

constexpr int Frames = 720;
constexpr int SteadyFrom = 120; // after start-up and the menu opening
constexpr int AllocationFrame = 300;
constexpr int ExtraHudPasses = 200;

// The games measured, by benchmark argument.
enum Session { WithHud = 0, WithoutHud = 1, MenuOpen = 2, PausedBare = 3 };

std::string ScriptPath(Session session) {
    return "/tmp/kelvane-ui-bench-" + std::to_string(::getpid()) + "-" + std::to_string(session) + ".txt";
}

void WriteScripts() {
    for (Session session : {WithHud, WithoutHud, PausedBare}) {
        std::ofstream(ScriptPath(session)) << "# no input\n";
    }
    // "MenuCancel" opens the main menu.
    std::ofstream(ScriptPath(MenuOpen)) << "3 key down Esc\n4 key up Esc\n";
}

GameObject* Gameplay() {
    const SceneRoots* roots = Service<SceneRoots>::TryGet();
    return roots ? roots->GameplayRoot : nullptr;
}

GameObject* Hud() {
    GameObject* gameplay = Gameplay();
    GameObject* screen = gameplay ? gameplay->FindChild("GameplayScreen") : nullptr;
    return screen ? screen->FindChild("Hud") : nullptr;
}

// The game as the open menu leaves it, with nothing of the HUD or the menus in the tree.
void PauseBare() {
    GameObject* gameplay = Gameplay();
    if (!gameplay) {
        return;
    }
    if (GameObject* hud = Hud()) {
        hud->DestroyLater();
    }
    if (GameObject* menus = gameplay->FindChild("Menus")) {
        menus->DestroyLater();
    }
    for (const char* name : {"GameplayScreen", "Inventory"}) {
        if (GameObject* object = gameplay->FindChild(name)) {
            object->InputEnabled = object->UpdateEnabled = false;
        }
    }
}

struct GameFigures {
    double frameSeconds = 0.0;          // mean main-thread CPU time of a steady frame
    double hudAllocationsPerPass = 0.0; // of the HUD's input and update passes, steady
    double pointerToReadouts = -1.0;    // the station arrow's update time over the readouts'; -1: none
    bool hasMenus = false;
};

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The least time of calls updates of the behaviour, over rounds interleaved with the other's.
double PointerToReadoutsRatio(GameObject& hud) {
    const GameObject* arrow = hud.FindChild("StationPointer");
    auto* pointer = arrow ? arrow->GetComponentOfType<HudStationPointerBhv>() : nullptr;
    auto* readouts = hud.GetComponentOfType<HudRootBhv>();
    if (!pointer || !readouts) {
        return -1.0;
    }
    constexpr int Calls = 3000; // a multiple of the arrow's search period, so its searches count
    double bestPointer = 1e9;
    double bestReadouts = 1e9;
    for (int round = 0; round < 7; ++round) {
        const double t0 = ThreadCpuSeconds();
        for (int i = 0; i < Calls; ++i) {
            pointer->Update();
        }
        const double t1 = ThreadCpuSeconds();
        for (int i = 0; i < Calls; ++i) {
            readouts->Update();
        }
        const double t2 = ThreadCpuSeconds();
        bestPointer = std::min(bestPointer, t1 - t0);
        bestReadouts = std::min(bestReadouts, t2 - t1);
    }
    return bestReadouts > 0.0 ? bestPointer / bestReadouts : -1.0;
}

// One game; false when it did not run.
bool PlayGame(Session session, GameFigures& figures) {
    AppOptions options;
    options.Headless = true;
    options.Frames = Frames;
    options.Seed = 5;
    options.ScriptPath = ScriptPath(session);
    FastClock clock;
    Application game(options, clock);
    double last = 0.0;
    double total = 0.0;
    game.SetFrameObserver([&](int64_t frame) {
        const double now = ThreadCpuSeconds();
        if (frame == 1) {
            figures.hasMenus = Gameplay() && Gameplay()->FindChild("Menus");
            if (session == WithoutHud) {
                if (GameObject* hud = Hud()) {
                    hud->DestroyLater();
                }
            } else if (session == PausedBare) {
                PauseBare();
            }
        } else if (frame > SteadyFrom) {
            total += now - last;
        }
        if (frame == AllocationFrame && session == WithHud) {
            if (GameObject* hud = Hud()) {
                const long before = AllocationCount();
                for (int i = 0; i < ExtraHudPasses; ++i) {
                    InputPass(*hud);
                    UpdatePass(*hud);
                }
                figures.hudAllocationsPerPass =
                    static_cast<double>(AllocationCount() - before) / ExtraHudPasses;
                figures.pointerToReadouts = PointerToReadoutsRatio(*hud);
            } else {
                figures.hudAllocationsPerPass = -1.0; // no HUD: nothing was measured
            }
        }
        last = ThreadCpuSeconds();
    });
    if (game.Run() != 0) {
        return false;
    }
    figures.frameSeconds = total / (Frames - SteadyFrom);
    return true;
}

// An iteration plays five games and keeps the quickest (the machine is shared): its mean frame CPU
// time is the iteration's time.
void BM_GameFrame(benchmark::State& state) {
    const auto session = static_cast<Session>(state.range(0));
    GameFigures best{1e9, 0.0, false};
    for (auto _ : state) {
        for (int game = 0; game < 5; ++game) {
            GameFigures figures;
            if (!PlayGame(session, figures)) {
                state.SkipWithError("the game did not run; start the benchmark from build/release/bin");
                return;
            }
            if (figures.frameSeconds < best.frameSeconds) {
                best = figures;
            }
        }
        state.SetIterationTime(best.frameSeconds);
    }
    state.counters["hud_allocations/pass"] = best.hudAllocationsPerPass;
    state.counters["has_menus"] = best.hasMenus ? 1.0 : 0.0;
    state.counters["pointer_to_readouts"] = best.pointerToReadouts;
}
BENCHMARK(BM_GameFrame)
    ->Arg(WithHud)
    ->Arg(WithoutHud)
    ->Arg(MenuOpen)
    ->Arg(PausedBare)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    WriteScripts();
    const int status = RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        const auto name = [](Session session) {
            return "BM_GameFrame/" + std::to_string(session) + "/iterations:1/manual_time";
        };
        const BenchRuns::Figures* hud = runs.Find(name(WithHud));
        const BenchRuns::Figures* bare = runs.Find(name(WithoutHud));
        const BenchRuns::Figures* menu = runs.Find(name(MenuOpen));
        const BenchRuns::Figures* paused = runs.Find(name(PausedBare));
        if (!hud || !bare) {
            const std::string missing = "a game of BM_GameFrame did not run";
            ReportGoalNotMeasured("ui.hud_and_menu_frame_added_ms", "ms", 0.15, missing);
            ReportGoalNotMeasured("ui.hud_readout_allocations_per_frame", "allocations", 0.0, missing);
            ReportGoalNotMeasured("ui.station_pointer_to_readouts", "x", 2.0, missing);
            return;
        }
        double added = (hud->RealNs - bare->RealNs) * 1e-6;
        if (menu && paused && menu->Counters.at("has_menus") > 0.0) {
            added = std::max(added, (menu->RealNs - paused->RealNs) * 1e-6);
        }
        ReportGoal("ui.hud_and_menu_frame_added_ms", added, "ms", 0.15);
        const double allocations = hud->Counters.at("hud_allocations/pass");
        if (allocations < 0.0) {
            ReportGoalNotMeasured("ui.hud_readout_allocations_per_frame", "allocations", 0.0,
                                  "the game had no HUD to update");
        } else {
            ReportGoal("ui.hud_readout_allocations_per_frame", allocations, "allocations", 0.0);
        }
        // The station arrow's frame work against the readouts' beside it.
        const double pointer = hud->Counters.at("pointer_to_readouts");
        if (pointer < 0.0) {
            ReportGoalNotMeasured("ui.station_pointer_to_readouts", "x", 2.0, "the HUD has no station arrow");
        } else {
            ReportGoal("ui.station_pointer_to_readouts", pointer, "x", 2.0);
        }
    });
    for (Session session : {WithHud, WithoutHud, MenuOpen, PausedBare}) {
        std::remove(ScriptPath(session).c_str());
    }
    return status;
}
