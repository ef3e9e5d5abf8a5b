#pragma once

#include <time.h>

#include <chrono>

// Wall-clock, this thread's and this process's CPU time over a run of frames, in nanoseconds per
// frame. The thread's CPU time leaves out the GL driver's rasteriser threads (llvmpipe draws on its
// own threads); the process's takes them in, and unlike the wall clock leaves out waiting for a core.
class FrameTimer {
public:
    void Start() {
        wallStart_ = std::chrono::steady_clock::now();
        cpuStart_ = CpuNs(CLOCK_THREAD_CPUTIME_ID);
        processStart_ = CpuNs(CLOCK_PROCESS_CPUTIME_ID);
    }
    void Stop(long frames) {
        const double n = frames > 0 ? static_cast<double>(frames) : 1.0;
        WallNsPerFrame = static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                                 std::chrono::steady_clock::now() - wallStart_)
                                                 .count()) /
                         n;
        CpuNsPerFrame = (CpuNs(CLOCK_THREAD_CPUTIME_ID) - cpuStart_) / n;
        ProcessNsPerFrame = (CpuNs(CLOCK_PROCESS_CPUTIME_ID) - processStart_) / n;
    }
    double WallNsPerFrame = 0.0;
    double CpuNsPerFrame = 0.0;
    double ProcessNsPerFrame = 0.0;

private:
    static double CpuNs(clockid_t clock) {
        timespec t{};
        clock_gettime(clock, &t);
        return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
    }
    std::chrono::steady_clock::time_point wallStart_;
    double cpuStart_ = 0.0;
    double processStart_ = 0.0;
};
