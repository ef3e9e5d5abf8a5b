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
    // Time from process start to the first frame.
    void StartUp(double milliseconds) { startUpMs_ = milliseconds; }
    // The thread CPU time one frame's own work took (waiting excluded).
    void FrameWork(double milliseconds) { workMs_.push_back(milliseconds); }

    // One line: frames, mean period, p99 and max wake error, CPU use of one core and per frame. The
    // CPU time is the whole process's: a software GL driver draws on threads of its own.
    std::string Report(const std::string& label) const;
    // One line: start-up time, mean and p99 CPU time of a frame's work.
    std::string WorkReport() const;

private:
    uint64_t frequency_;
    uint64_t begin_ = 0;
    uint64_t end_ = 0;
    uint64_t lastFrame_ = 0;
    std::clock_t cpuBegin_ = 0;
    std::clock_t cpuEnd_ = 0;
    std::vector<double> periodsMs_;
    std::vector<double> latenessMs_;
    std::vector<double> workMs_;
    double startUpMs_ = 0.0;
};
