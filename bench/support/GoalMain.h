#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Goal.h"

// What each benchmark run measured, by its full name ("BM_InputPass", "BM_Frame/3000"): the
// least disturbed of its repetitions.
class BenchRuns : public benchmark::ConsoleReporter {
public:
    struct Figures {
        double CpuNs = 0.0;  // per iteration
        double RealNs = 0.0; // per iteration
        std::map<std::string, double> Counters;
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) {
                continue;
            }
            const double toNs = 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            Figures figures{run.GetAdjustedCPUTime() * toNs, run.GetAdjustedRealTime() * toNs, {}};
            for (const auto& [name, counter] : run.counters) {
                figures.Counters[name] = counter.value;
            }
            auto [it, added] = figures_.emplace(run.benchmark_name(), figures);
            if (!added && figures.CpuNs < it->second.CpuNs) {
                it->second = figures;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    const Figures* Find(const std::string& name) const {
        auto it = figures_.find(name);
        return it == figures_.end() ? nullptr : &it->second;
    }

    // A goal on a counter of a run, scaled (a missing run or counter counts as missed). Inverted
    // rates (time per item) are in seconds: a scale of 1e9 gives nanoseconds.
    void CounterGoal(const char* goal, const std::string& run, const char* counter, double scale, const char* unit,
                     double limit) const {
        const Figures* f = Find(run);
        if (!f || !f->Counters.count(counter)) {
            ReportGoalNotRun(goal, unit, limit);
            return;
        }
        ReportGoal(goal, f->Counters.at(counter) * scale, unit, limit);
    }

    // A goal on a run's CPU time per iteration, scaled (1e-6 gives milliseconds).
    void CpuGoal(const char* goal, const std::string& run, double scale, const char* unit, double limit) const {
        const Figures* f = Find(run);
        if (!f) {
            ReportGoalNotRun(goal, unit, limit);
            return;
        }
        ReportGoal(goal, f->CpuNs * scale, unit, limit);
    }

    // A goal on a run's wall-clock (or manual) time per iteration, scaled.
    void RealGoal(const char* goal, const std::string& run, double scale, const char* unit, double limit) const {
        const Figures* f = Find(run);
        if (!f) {
            ReportGoalNotRun(goal, unit, limit);
            return;
        }
        ReportGoal(goal, f->RealNs * scale, unit, limit);
    }

    // A goal on the ratio of two runs' CPU times per iteration.
    void RatioGoal(const char* goal, const std::string& ours, const std::string& theirs, double limit) const {
        const Figures* a = Find(ours);
        const Figures* b = Find(theirs);
        if (!a || !b || b->CpuNs <= 0.0) {
            ReportGoalNotRun(goal, "x", limit);
            return;
        }
        ReportGoal(goal, a->CpuNs / b->CpuNs, "x", limit);
    }

private:
    std::map<std::string, Figures> figures_;
};

// The body of a benchmark program's main: runs the benchmarks on the command line, then prints the
// program's goals from what they measured.
inline int RunBenchmarksWithGoals(int argc, char** argv, const std::function<void(const BenchRuns&)>& goals) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    BenchRuns runs;
    benchmark::RunSpecifiedBenchmarks(&runs);
    benchmark::Shutdown();
    std::printf("\n");
    goals(runs);
    return 0;
}
