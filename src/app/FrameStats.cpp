#include "app/FrameStats.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

void FrameStats::Begin(uint64_t now) {
    begin_ = lastFrame_ = now;
    cpuBegin_ = std::clock();
    periodsMs_.clear();
    latenessMs_.clear();
}

void FrameStats::Frame(uint64_t now, uint64_t lateness) {
    if (!latenessMs_.empty()) { // the first frame has no period before it
        periodsMs_.push_back(static_cast<double>(now - lastFrame_) * 1000.0 /
                             static_cast<double>(frequency_));
    }
    latenessMs_.push_back(static_cast<double>(lateness) * 1000.0 / static_cast<double>(frequency_));
    lastFrame_ = now;
}

void FrameStats::End(uint64_t now) {
    end_ = now;
    cpuEnd_ = std::clock();
}

std::string FrameStats::Report(const std::string& label) const {
    if (periodsMs_.empty() || latenessMs_.empty()) {
        return label + ": too few frames to measure\n";
    }
    const double mean = std::accumulate(periodsMs_.begin(), periodsMs_.end(), 0.0) / periodsMs_.size();
    std::vector<double> late = latenessMs_;
    std::sort(late.begin(), late.end());
    const double p99 = late[std::min(late.size() - 1, late.size() * 99 / 100)];
    const double wall = static_cast<double>(end_ - begin_) / static_cast<double>(frequency_);
    const double cpu = static_cast<double>(cpuEnd_ - cpuBegin_) / CLOCKS_PER_SEC;
    char line[256];
    std::snprintf(line, sizeof line,
                  "%s: %zu frames, mean period %.3f ms (%.2f fps), wake error p99 %.3f ms max %.3f ms, "
                  "CPU %.1f%% of one core (%.2f ms a frame, every thread of the process)\n",
                  label.c_str(), latenessMs_.size(), mean, 1000.0 / mean, p99, late.back(),
                  wall > 0 ? 100.0 * cpu / wall : 0.0,
                  1000.0 * cpu / static_cast<double>(latenessMs_.size()));
    return line;
}

std::string FrameStats::WorkReport() const {
    if (workMs_.empty()) {
        return "frame work: no frames\n";
    }
    const double mean = std::accumulate(workMs_.begin(), workMs_.end(), 0.0) / workMs_.size();
    std::vector<double> sorted = workMs_;
    std::sort(sorted.begin(), sorted.end());
    const double p99 = sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)];
    char line[256];
    std::snprintf(line, sizeof line,
                  "start-up %.1f ms; frame work CPU mean %.3f ms, p99 %.3f ms, max %.3f ms\n", startUpMs_,
                  mean, p99, sorted.back());
    return line;
}
