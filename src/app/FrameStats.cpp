#include "app/FrameStats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

void FrameStats::Histogram::Add(double ms) {
    const double micro = std::max(ms, 0.0) * 1000.0;
    const size_t bin = micro >= static_cast<double>(Bins - 1) ? Bins - 1 : static_cast<size_t>(micro);
    ++bins_[bin];
    ++count_;
    sum_ += ms;
    max_ = std::max(max_, ms);
}

void FrameStats::Histogram::Clear() {
    std::fill(bins_.begin(), bins_.end(), 0u);
    count_ = 0;
    sum_ = 0.0;
    max_ = 0.0;
}

double FrameStats::Histogram::Percentile(int percent) const {
    if (count_ == 0) {
        return 0.0;
    }
    // The sample at index count * percent / 100 of the sorted samples, to the microsecond.
    const int64_t rank = std::min(count_ - 1, count_ * percent / 100);
    int64_t seen = 0;
    for (size_t bin = 0; bin < Bins; ++bin) {
        seen += bins_[bin];
        if (seen > rank) {
            return bin == Bins - 1 ? max_ : std::min(max_, static_cast<double>(bin + 1) / 1000.0);
        }
    }
    return max_;
}

FrameStats::FrameStats(uint64_t frequency) : frequency_(frequency) {}

void FrameStats::Begin(uint64_t now) {
    begin_ = lastFrame_ = now;
    cpuBegin_ = std::clock();
    periodSumMs_ = 0.0;
    periods_ = 0;
    lateness_.Clear();
}

void FrameStats::Frame(uint64_t now, uint64_t lateness) {
    if (lateness_.Count() > 0) { // the first frame has no period before it
        periodSumMs_ += static_cast<double>(now - lastFrame_) * 1000.0 / static_cast<double>(frequency_);
        ++periods_;
    }
    lateness_.Add(static_cast<double>(lateness) * 1000.0 / static_cast<double>(frequency_));
    lastFrame_ = now;
}

void FrameStats::FrameWork(double milliseconds) {
    work_.Add(milliseconds);
    stretchSumMs_ += milliseconds;
    if (++stretchFrames_ == StretchFrames) {
        stretchWorkMs_.push_back(stretchSumMs_ / static_cast<double>(StretchFrames));
        stretchSumMs_ = 0.0;
        stretchFrames_ = 0;
    }
}

void FrameStats::End(uint64_t now) {
    end_ = now;
    cpuEnd_ = std::clock();
}

std::string FrameStats::Report(const std::string& label) const {
    if (periods_ == 0 || lateness_.Count() == 0) {
        return label + ": too few frames to measure\n";
    }
    const double mean = periodSumMs_ / static_cast<double>(periods_);
    const double wall = static_cast<double>(end_ - begin_) / static_cast<double>(frequency_);
    const double cpu = static_cast<double>(cpuEnd_ - cpuBegin_) / CLOCKS_PER_SEC;
    char line[256];
    std::snprintf(line, sizeof line,
                  "%s: %lld frames, mean period %.3f ms (%.2f fps), wake error p99 %.3f ms max %.3f ms, "
                  "CPU %.1f%% of one core (%.2f ms a frame, every thread of the process)\n",
                  label.c_str(), static_cast<long long>(lateness_.Count()), mean, 1000.0 / mean,
                  lateness_.Percentile(99), lateness_.Max(), wall > 0 ? 100.0 * cpu / wall : 0.0,
                  lateness_.Count() > 0 ? 1000.0 * cpu / static_cast<double>(lateness_.Count()) : 0.0);
    return line;
}

std::string FrameStats::WorkReport() const {
    if (work_.Count() == 0) {
        return "frame work: no frames\n";
    }
    char line[256];
    std::snprintf(line, sizeof line,
                  "start-up %.1f ms; frame work CPU mean %.3f ms, p99 %.3f ms, max %.3f ms\n", startUpMs_,
                  work_.Sum() / static_cast<double>(work_.Count()), work_.Percentile(99), work_.Max());
    std::string report = line;
    if (residentStart_ > 0 && residentEnd_ > 0) {
        const double mib = 1024.0 * 1024.0;
        std::snprintf(line, sizeof line,
                      "resident memory: %.1f MiB after the first frame, %.1f MiB at the end (%+.1f MiB)\n",
                      static_cast<double>(residentStart_) / mib, static_cast<double>(residentEnd_) / mib,
                      (static_cast<double>(residentEnd_) - static_cast<double>(residentStart_)) / mib);
        report += line;
    }
    if (!stretchWorkMs_.empty()) {
        report += "frame work CPU mean per " + std::to_string(StretchFrames) + " frames (ms):";
        for (const double ms : stretchWorkMs_) {
            std::snprintf(line, sizeof line, " %.3f", ms);
            report += line;
        }
        report += "\n";
    }
    return report;
}
