#pragma once

#include <cstdio>

// One line of the goal table that scripts/bench.sh gathers from every benchmark program:
//   GOAL <name> <measured> <unit> <limit> ok|MISSED
// Smaller is better. The name is one word (letters, digits, '.', '_', '-').
inline void ReportGoal(const char* name, double measured, const char* unit, double limit) {
    std::printf("GOAL %s %.4g %s %.4g %s\n", name, measured, unit, limit, measured <= limit ? "ok" : "MISSED");
    std::fflush(stdout);
}

// A goal whose benchmark did not run counts as missed.
inline void ReportGoalNotRun(const char* name, const char* unit, double limit) {
    std::printf("GOAL %s nan %s %.4g MISSED\n", name, unit, limit);
    std::fflush(stdout);
}
