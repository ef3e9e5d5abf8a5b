// What the open editor costs the frame: the real game, headless, run from the folder beside its
// Content, once as a player sees it, once with the editor open (every palette shown, an object
// selected so the edit palette lists its properties), once more with one of its values being
// edited, and with the editor open over an undo history of 1,000 steps naming live objects against
// one of 16 (as many lines as the history palette shows, so both draw the same). Also the undo history
// itself: one undo or redo of a change to the largest shipped prefab, and the memory its step holds against
// the prefab's serialised size. The CPU time of a frame is the main thread's CPU time between the end of one
// frame and the end of the next (the pacer's clock takes no time to sleep). Heap allocations of steady frames
// are counted too: editing a field must add none (the headless backend's own recording of each drawn pass
// allocates in every run alike).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <exception>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "../render/AllocationCounter.h"
#include "FastClock.h"
#include "GoalMain.h"
#include "app/Application.h"
#include "app/RegisterAllClasses.h"
#include "core/DestroyQueues.h"
#include "core/GameObject.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "core/ServiceOwner.h"
#include "editor/EditorState.h"
#include "editor/history/LiveValueStep.h"
#include "editor/history/PrefabDataStep.h"
#include "platform/Clock.h"
#include "prefabs/PrefabManager.h"

namespace {

constexpr int Frames = 900;
constexpr int SteadyFrom = 120; // after start-up, the editor opening and the first layouts

// F11; Ctrl+G and a click on a HUD frame, which the edit palette then lists.
constexpr const char* OpenEditor = R"(2 key down F11
3 key up F11
5 key down Ctrl
6 key down G
7 key up G
8 key up Ctrl
10 mouse move 1177 50
11 button down LeftMouse
12 button up LeftMouse
)";

// Then a click into its "Size.X" value, left editing.
constexpr const char* EditValue = R"(16 mouse move 930 356
17 button down LeftMouse
18 button up LeftMouse
)";

// The games measured, by benchmark argument.
enum Session { Closed = 0, Open = 1, Editing = 2, FullHistory = 3, ShortHistory = 4 };
constexpr size_t ShortHistorySteps = 16;
constexpr int FillAtFrame = 60; // the editor is open; the history is filled before the steady frames

std::string ScriptPath(Session session) {
    return "/tmp/kelvane-editor-bench-" + std::to_string(::getpid()) + "-" + std::to_string(session) + ".txt";
}

void WriteScripts() {
    std::ofstream(ScriptPath(Closed)) << "# nothing: the editor stays closed\n";
    std::ofstream(ScriptPath(Open)) << OpenEditor;
    std::ofstream(ScriptPath(Editing)) << OpenEditor << EditValue;
    std::ofstream(ScriptPath(FullHistory)) << OpenEditor;
    std::ofstream(ScriptPath(ShortHistory)) << OpenEditor;
}

void Collect(GameObject& object, std::vector<GameObject*>& out) {
    out.push_back(&object);
    for (GameObject* child : object.Children) {
        Collect(*child, out);
    }
}

// Steps each naming a live object of the game (so destructions are looked up) and changing nothing
// when undone.
void FillHistory(size_t steps) {
    EditorState* editor = Service<EditorState>::TryGet();
    const SceneRoots* roots = Service<SceneRoots>::TryGet();
    if (!editor || !roots || !roots->GameplayRoot) {
        return;
    }
    std::vector<GameObject*> objects;
    Collect(*roots->GameplayRoot, objects);
    for (size_t i = 0; i < steps; ++i) {
        GameObject& object = *objects[i % objects.size()];
        editor->History.Push(std::make_unique<LiveValueStep>(object, LiveValueStep::What::Name, object.Name,
                                                             object.Name, object.Name));
    }
}

struct GameFigures {
    double frameSeconds = 0.0; // mean main-thread CPU time of a steady frame
    double allocationsPerFrame = 0.0;
};

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// One game of Frames frames; false when it did not run.
bool PlayGame(const std::string& script, GameFigures& figures, size_t historySteps) {
    AppOptions options;
    options.Headless = true;
    options.Frames = Frames;
    options.ScriptPath = script;
    // The same world and the same frames in every game: what the world spawns (creatures, cues)
    // allocates too, and would otherwise differ between the sessions compared.
    options.Seed = 1;
    options.FixedStep = true;
    FastClock clock;
    Application game(options, clock);
    double last = 0.0;
    double total = 0.0;
    long allocationsAtStart = 0;
    game.SetFrameObserver([&](int64_t frame) {
        if (historySteps > 0 && frame == FillAtFrame) {
            FillHistory(historySteps);
        }
        const double now = ThreadCpuSeconds();
        if (frame > SteadyFrom) {
            total += now - last;
        } else if (frame == SteadyFrom) {
            allocationsAtStart = AllocationCount();
        }
        last = ThreadCpuSeconds();
    });
    if (game.Run() != 0) {
        return false;
    }
    const double steadyFrames = Frames - SteadyFrom;
    figures.frameSeconds = total / steadyFrames;
    figures.allocationsPerFrame = static_cast<double>(AllocationCount() - allocationsAtStart) / steadyFrames;
    return true;
}

// An iteration plays three games and keeps the quickest (the machine is shared): its mean frame CPU
// time is the iteration's time, its allocations per steady frame a counter.
void BM_GameFrame(benchmark::State& state) {
    const Session session = static_cast<Session>(state.range(0));
    const std::string script = ScriptPath(session);
    double allocationsPerFrame = 0.0;
    for (auto _ : state) {
        GameFigures best{1e9, 0.0};
        for (int game = 0; game < 3; ++game) {
            GameFigures figures;
            const size_t steps = session == FullHistory    ? EdHistory::MaxSteps
                                 : session == ShortHistory ? ShortHistorySteps
                                                           : 0;
            if (!PlayGame(script, figures, steps)) {
                state.SkipWithError("the game did not run; start the benchmark from build/release/bin");
                return;
            }
            if (figures.frameSeconds < best.frameSeconds) {
                best = figures;
            }
        }
        state.SetIterationTime(best.frameSeconds);
        allocationsPerFrame = best.allocationsPerFrame;
    }
    state.counters["allocations/frame"] = allocationsPerFrame;
}
BENCHMARK(BM_GameFrame)
    ->Arg(Closed)
    ->Arg(Open)
    ->Arg(Editing)
    ->Arg(FullHistory)
    ->Arg(ShortHistory)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The shipped prefabs with an editor state, as the game has them; a change to the largest prefab
// (a component added) is then undone and redone, two steps per iteration.
void BM_UndoRedoLargestPrefab(benchmark::State& state) {
    DestroyQueues queues;
    Service<DestroyQueues>::Scoped queuesScope{queues};
    PrefabManager prefabs;
    Service<PrefabManager>::Scoped prefabsScope{prefabs};
    try {
        prefabs.RegisterAll(RegisterAllClasses, "Content/Prefabs");
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }
    ServiceOwner<EditorState, ObjectDestructionListener> editorOwner{std::make_unique<EditorState>()};
    EditorState& editor = *editorOwner;
    Prefab* largest = nullptr;
    size_t largestSize = 0;
    for (const auto& [name, prefab] : prefabs.Prefabs) {
        const size_t size = prefabs.WritePrefab(*prefab).size();
        if (size > largestSize) {
            largest = prefab.get();
            largestSize = size;
        }
    }
    PrefabChange change;
    change.Watch(largest);
    auto component = std::make_unique<PrefabComponent>();
    component->ClassName = "TintComponent";
    component->Type = prefabs.Registry.GetClassIdentity("TintComponent");
    largest->Components.push_back(std::move(component));
    change.Commit("Add component TintComponent to " + largest->Name);
    for (auto _ : state) {
        editor.History.Undo();
        editor.History.Redo();
    }
    state.SetItemsProcessed(state.iterations() * 2);
    // What the step holds against the larger of the prefab's two serialised forms.
    const double changed = static_cast<double>(std::max(largestSize, prefabs.WritePrefab(*largest).size()));
    state.counters["step_bytes_per_serialised_byte"] =
        static_cast<double>(editor.History.At(0).Bytes()) / changed;
    state.counters["serialised_bytes"] = changed;
    state.SetLabel(largest->Name);
}
BENCHMARK(BM_UndoRedoLargestPrefab)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    WriteScripts();
    const int status = RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        const auto name = [](Session session) {
            return "BM_GameFrame/" + std::to_string(session) + "/iterations:1/manual_time";
        };
        const BenchRuns::Figures* closed = runs.Find(name(Closed));
        const BenchRuns::Figures* open = runs.Find(name(Open));
        const BenchRuns::Figures* editing = runs.Find(name(Editing));
        const BenchRuns::Figures* full = runs.Find(name(FullHistory));
        const BenchRuns::Figures* small = runs.Find(name(ShortHistory));
        const BenchRuns::Figures* undo = runs.Find("BM_UndoRedoLargestPrefab");
        if (undo) {
            // CPU time per iteration covers one undo and one redo.
            ReportGoal("editor.undo_redo_largest_prefab_ms", undo->CpuNs * 0.5e-6, "ms", 1.0);
            ReportGoal("editor.history_step_bytes_per_serialised_byte",
                       undo->Counters.at("step_bytes_per_serialised_byte"), "ratio", 2.0);
        } else {
            ReportGoalNotMeasured("editor.undo_redo_largest_prefab_ms", "ms", 1.0,
                                  "BM_UndoRedoLargestPrefab did not run");
            ReportGoalNotMeasured("editor.history_step_bytes_per_serialised_byte", "ratio", 2.0,
                                  "BM_UndoRedoLargestPrefab did not run");
        }
        if (small && full) {
            // A full history costs the frame no more than a short one: within the run-to-run noise of
            // a frame's CPU time.
            ReportGoal("editor.full_history_frame_cpu_added_ms", (full->RealNs - small->RealNs) * 1e-6, "ms",
                       0.02);
        } else {
            ReportGoalNotMeasured("editor.full_history_frame_cpu_added_ms", "ms", 0.02,
                                  "a history game of BM_GameFrame did not run");
        }
        if (!closed || !open || !editing) {
            const std::string missing = "a game of BM_GameFrame did not run";
            ReportGoalNotMeasured("editor.open_frame_cpu_added_ms", "ms", 0.5, missing);
            ReportGoalNotMeasured("editor.field_editing_allocations_per_frame", "allocations", 0.0, missing);
            return;
        }
        ReportGoal("editor.open_frame_cpu_added_ms",
                   (std::max(open->RealNs, editing->RealNs) - closed->RealNs) * 1e-6, "ms", 0.5);
        // The drawing backend's own allocations vary a little from run to run; typing adds none
        // when the editing run allocates no more than the open editor alone.
        ReportGoal(
            "editor.field_editing_allocations_per_frame",
            std::max(0.0, editing->Counters.at("allocations/frame") - open->Counters.at("allocations/frame")),
            "allocations", 0.0);
    });
    for (Session session : {Closed, Open, Editing, FullHistory, ShortHistory}) {
        std::remove(ScriptPath(session).c_str());
    }
    return status;
}
