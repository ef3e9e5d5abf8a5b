#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

// Frame pacing figures for --stats: the period between frame starts, how late each frame started
// after it was due, the CPU time of each frame's own work and the process CPU time over the run;
// for a long run, the resident memory at its first and last frame and the work of each stretch of
// StretchFrames frames, so that it reports its own drift. Its memory is fixed, whatever the number
// of frames: percentiles come from histograms, not from every sample kept.
class FrameStats {
public:
    static constexpr int64_t StretchFrames = 100000;

    explicit FrameStats(uint64_t frequency);

    void Begin(uint64_t now);
    // A frame started at `now`, `lateness` ticks after it was due.
    void Frame(uint64_t now, uint64_t lateness);
    void End(uint64_t now);
    // Time from process start to the first frame.
    void StartUp(double milliseconds) { startUpMs_ = milliseconds; }
    // The thread CPU time one frame's own work took (waiting excluded).
    void FrameWork(double milliseconds);
    // The process's resident memory, in bytes, after the first frame and after the last.
    void ResidentAtStart(uint64_t bytes) { residentStart_ = bytes; }
    void ResidentAtEnd(uint64_t bytes) { residentEnd_ = bytes; }

    // One line: frames, mean period, p99 and max wake error, CPU use of one core and per frame. The
    // CPU time is the whole process's: a software GL driver draws on threads of its own.
    std::string Report(const std::string& label) const;
    // One line: start-up time, mean and p99 CPU time of a frame's work; then, when measured, one
    // line of resident memory and one of the mean work of each stretch.
    std::string WorkReport() const;

private:
    // Milliseconds in bins of one microsecond up to a tenth of a second; the max is kept exactly.
    class Histogram {
    public:
        void Add(double ms);
        void Clear();
        double Percentile(int percent) const;
        double Max() const { return max_; }
        int64_t Count() const { return count_; }
        double Sum() const { return sum_; }

    private:
        static constexpr size_t Bins = 100000;
        std::vector<uint32_t> bins_ = std::vector<uint32_t>(Bins, 0);
        int64_t count_ = 0;
        double sum_ = 0.0;
        double max_ = 0.0;
    };

    uint64_t frequency_;
    uint64_t begin_ = 0;
    uint64_t end_ = 0;
    uint64_t lastFrame_ = 0;
    std::clock_t cpuBegin_ = 0;
    std::clock_t cpuEnd_ = 0;
    double periodSumMs_ = 0.0;
    int64_t periods_ = 0;
    Histogram lateness_;
    Histogram work_;
    std::vector<double> stretchWorkMs_; // the mean work of each whole stretch
    double stretchSumMs_ = 0.0;
    int64_t stretchFrames_ = 0;
    double startUpMs_ = 0.0;
    uint64_t residentStart_ = 0;
    uint64_t residentEnd_ = 0;
};
