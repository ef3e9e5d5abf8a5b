#pragma once

#include <cmath>
#include <cstdio>
#include <string>

// One line of the goal table that scripts/bench.sh gathers from every benchmark program:
//   GOAL <name> <measured> <unit> <limit> ok|MISSED
// Smaller is better. The name is one word (letters, digits, '.', '_', '-'). A speed goal is a ratio
// ("x") to a reference measured in the same run, so that it reads the same on any machine; only a
// share of the 16.7 ms frame keeps an absolute budget ("ms"), as do counts such as allocations.
//
// A goal whose measurement did not happen is no figure at all: the program says what is missing,
// prints "GOAL <name> - <unit> <limit> FAILED" and exits non-zero (see GoalsNotMeasured).

// How many goals of this program could not be measured.
inline int& GoalsNotMeasured() {
    static int count = 0;
    return count;
}

inline void ReportGoalNotMeasured(const char* name, const char* unit, double limit,
                                  const std::string& missing) {
    std::printf("goal %s not measured: %s\n", name, missing.c_str());
    std::printf("GOAL %s - %s %.4g FAILED\n", name, unit, limit);
    std::fflush(stdout);
    ++GoalsNotMeasured();
}

// A figure that is not a number (a ratio to a reference of zero time, an empty run) counts as not
// measured rather than as a result.
inline void ReportGoal(const char* name, double measured, const char* unit, double limit) {
    if (!std::isfinite(measured)) {
        ReportGoalNotMeasured(name, unit, limit, "the figure is not a finite number");
        return;
    }
    std::printf("GOAL %s %.4g %s %.4g %s\n", name, measured, unit, limit,
                measured <= limit ? "ok" : "MISSED");
    std::fflush(stdout);
}

// A ratio goal, with the two figures it divides (in the figure's own unit) on the line before it.
inline void ReportRatioGoal(const char* name, double ours, double reference, double limit) {
    if (!(reference > 0.0) || !std::isfinite(ours)) {
        ReportGoalNotMeasured(name, "x", limit, "the reference measured no time");
        return;
    }
    std::printf("  %s: %.4g / %.4g\n", name, ours, reference);
    ReportGoal(name, ours / reference, "x", limit);
}
