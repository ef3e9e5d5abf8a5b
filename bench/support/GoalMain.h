#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Goal.h"

// What each benchmark run measured, by its full name ("BM_InputPass", "BM_Frame/3000"; the
// "min_time:" and "repeats:" parts are left out): the least of its repetitions, each figure on its own, so
// that the run least disturbed by the rest of the machine counts. The console shows that one line per run.
class BenchRuns : public benchmark::ConsoleReporter {
public:
    struct Figures {
        double CpuNs = 0.0;  // per iteration
        double RealNs = 0.0; // per iteration (manual time for runs that time themselves)
        std::map<std::string, double> Counters;
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        const Run* best = nullptr;
        for (const Run& run : runs) {
            if (run.error_occurred) {
                ConsoleReporter::ReportRuns({run});
                continue;
            }
            if (run.run_type != Run::RT_Iteration) {
                continue;
            }
            Record(run);
            if (!best || run.GetAdjustedCPUTime() < best->GetAdjustedCPUTime()) {
                best = &run;
            }
        }
        if (best) {
            Run shown = *best;
            if (runs.size() > 1) {
                shown.report_label += (shown.report_label.empty() ? "" : " ") + std::string("least of ") +
                                      std::to_string(best->repetitions);
            }
            ConsoleReporter::ReportRuns({shown});
        }
    }

    const Figures* Find(const std::string& name) const {
        auto it = figures_.find(name);
        return it == figures_.end() ? nullptr : &it->second;
    }

    // A figure of a run: its CPU time per iteration (counter ""), its wall-clock or manual time per
    // iteration (counter "real"), or one of its counters; nothing, with what is missing, when the
    // run or the counter is not there.
    std::optional<double> Figure(const std::string& run, const std::string& counter,
                                 std::string& missing) const {
        const Figures* f = Find(run);
        if (!f) {
            missing = "benchmark " + run + " did not run";
            return std::nullopt;
        }
        if (counter.empty()) {
            return f->CpuNs;
        }
        if (counter == "real") {
            return f->RealNs;
        }
        auto it = f->Counters.find(counter);
        if (it == f->Counters.end()) {
            missing = "benchmark " + run + " has no counter " + counter;
            return std::nullopt;
        }
        return it->second;
    }

    // A goal on a counter of a run, scaled. Inverted rates (time per item) are in seconds: a scale of
    // 1e9 gives nanoseconds.
    void CounterGoal(const char* goal, const std::string& run, const char* counter, double scale,
                     const char* unit, double limit) const {
        FigureGoal(goal, run, counter, scale, unit, limit);
    }

    // A goal on a run's CPU time per iteration, scaled (1e-6 gives milliseconds).
    void CpuGoal(const char* goal, const std::string& run, double scale, const char* unit,
                 double limit) const {
        FigureGoal(goal, run, "", scale, unit, limit);
    }

    // A goal on a run's wall-clock (or manual) time per iteration, scaled.
    void RealGoal(const char* goal, const std::string& run, double scale, const char* unit,
                  double limit) const {
        FigureGoal(goal, run, "real", scale, unit, limit);
    }

    // A goal on the ratio of two runs' CPU times per iteration: ours against the reference.
    void RatioGoal(const char* goal, const std::string& ours, const std::string& reference,
                   double limit) const {
        CounterRatioGoal(goal, ours, reference, "", limit);
    }

    // A goal on the ratio of the same figure of two runs (a counter, "" for CPU time, "real" for
    // wall-clock time): ours against the reference.
    void CounterRatioGoal(const char* goal, const std::string& ours, const std::string& reference,
                          const std::string& counter, double limit) const {
        std::string oursMissing;
        std::string referenceMissing;
        const std::optional<double> a = Figure(ours, counter, oursMissing);
        const std::optional<double> b = Figure(reference, counter, referenceMissing);
        if (!a || !b) {
            ReportGoalNotMeasured(goal, "x", limit, oursMissing + (!a && !b ? "; " : "") + referenceMissing);
            return;
        }
        ReportRatioGoal(goal, *a, *b, limit);
    }

private:
    void Record(const Run& run) {
        benchmark::BenchmarkName name = run.run_name;
        name.min_time.clear();
        name.repetitions.clear();
        const double toNs = 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        Figures figures{run.GetAdjustedCPUTime() * toNs, run.GetAdjustedRealTime() * toNs, {}};
        for (const auto& [counter, value] : run.counters) {
            figures.Counters[counter] = value.value;
        }
        auto [it, added] = figures_.emplace(name.str(), figures);
        if (added) {
            return;
        }
        Figures& kept = it->second;
        kept.CpuNs = std::min(kept.CpuNs, figures.CpuNs);
        kept.RealNs = std::min(kept.RealNs, figures.RealNs);
        for (const auto& [counter, value] : figures.Counters) {
            auto [c, first] = kept.Counters.emplace(counter, value);
            if (!first) {
                c->second = std::min(c->second, value);
            }
        }
    }

    void FigureGoal(const char* goal, const std::string& run, const std::string& counter, double scale,
                    const char* unit, double limit) const {
        std::string missing;
        const std::optional<double> value = Figure(run, counter, missing);
        if (!value) {
            ReportGoalNotMeasured(goal, unit, limit, missing);
            return;
        }
        ReportGoal(goal, *value * scale, unit, limit);
    }

    std::map<std::string, Figures> figures_;
};

// The body of a benchmark program's main: runs the benchmarks on the command line, then prints the
// program's goals from what they measured. Fails (1) when a goal could not be measured.
inline int RunBenchmarksWithGoals(int argc, char** argv, const std::function<void(const BenchRuns&)>& goals) {
    // Repetitions of different benchmarks run interleaved in random order: a burst of load from
    // elsewhere on the machine falls on a figure and on its reference alike. Arguments can turn it off.
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> args(argv, argv + argc);
    args.insert(args.begin() + (argc > 0 ? 1 : 0), interleave);
    args.push_back(nullptr);
    int count = static_cast<int>(args.size()) - 1;
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) {
        return 1;
    }
    BenchRuns runs;
    benchmark::RunSpecifiedBenchmarks(&runs);
    benchmark::Shutdown();
    std::printf("\n");
    goals(runs);
    return GoalsNotMeasured() == 0 ? 0 : 1;
}
