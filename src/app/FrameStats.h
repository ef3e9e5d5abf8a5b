#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

// Frame pacing figures for --stats: the period between frame starts, how late each frame started
// after it was due, and the process CPU time over the run.
class FrameStats {
public:
    explicit FrameStats(uint64_t frequency) : frequency_(frequency) {}

    void Begin(uint64_t now);
    // A frame started at `now`, `lateness` ticks after it was due.
    void Frame(uint64_t now, uint64_t lateness);
    void End(uint64_t now);

    // One line: frames, mean period, p99 and max wake error, CPU use of one core.
    std::string Report(const std::string& label) const;

private:
    uint64_t frequency_;
    uint64_t begin_ = 0;
    uint64_t end_ = 0;
    uint64_t lastFrame_ = 0;
    std::clock_t cpuBegin_ = 0;
    std::clock_t cpuEnd_ = 0;
    std::vector<double> periodsMs_;
    std::vector<double> latenessMs_;
};
