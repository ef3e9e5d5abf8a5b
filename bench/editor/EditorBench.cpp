// What the open editor costs the frame: the real game, headless, run from the folder beside its
// Content, once as a player sees it, once with the editor open (every palette shown, an object
// selected so the edit palette lists its properties) and once more with one of its values being
// edited. The CPU time of a frame is the main thread's CPU time between the end of one frame and
// the end of the next (the pacer's clock takes no time to sleep). Heap allocations
// of steady frames are counted too: editing a field must add none (the headless backend's own
// recording of each drawn pass allocates in every run alike).
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
#include "platform/Clock.h"

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

// The three games measured, by benchmark argument.
enum Session { Closed = 0, Open = 1, Editing = 2 };

std::string ScriptPath(Session session) {
    return "/tmp/kelvane-editor-bench-" + std::to_string(::getpid()) + "-" + std::to_string(session) + ".txt";
}

void WriteScripts() {
    std::ofstream(ScriptPath(Closed)) << "# nothing: the editor stays closed\n";
    std::ofstream(ScriptPath(Open)) << OpenEditor;
    std::ofstream(ScriptPath(Editing)) << OpenEditor << EditValue;
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
bool PlayGame(const std::string& script, GameFigures& figures) {
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
    const std::string script = ScriptPath(static_cast<Session>(state.range(0)));
    double allocationsPerFrame = 0.0;
    for (auto _ : state) {
        GameFigures best{1e9, 0.0};
        for (int game = 0; game < 3; ++game) {
            GameFigures figures;
            if (!PlayGame(script, figures)) {
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
        const BenchRuns::Figures* closed = runs.Find(name(Closed));
        const BenchRuns::Figures* open = runs.Find(name(Open));
        const BenchRuns::Figures* editing = runs.Find(name(Editing));
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
    for (Session session : {Closed, Open, Editing}) {
        std::remove(ScriptPath(session).c_str());
    }
    return status;
}
