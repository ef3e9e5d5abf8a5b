#pragma once

#include <algorithm>
#include <vector>

// Mean and 99th percentile of per-frame work times, in milliseconds.
struct FrameWorkFigures {
    double MeanMs = 0.0;
    double P99Ms = 0.0;
    int Frames = 0;
};

inline FrameWorkFigures SummariseFrameWork(std::vector<double> workMs) {
    FrameWorkFigures figures;
    figures.Frames = static_cast<int>(workMs.size());
    if (workMs.empty()) {
        return figures;
    }
    for (double ms : workMs) {
        figures.MeanMs += ms;
    }
    figures.MeanMs /= static_cast<double>(workMs.size());
    std::sort(workMs.begin(), workMs.end());
    figures.P99Ms = workMs[std::min(workMs.size() - 1, workMs.size() * 99 / 100)];
    return figures;
}
