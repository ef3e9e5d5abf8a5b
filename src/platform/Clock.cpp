#include "platform/Clock.h"

#include <time.h>

#include <SDL2/SDL_timer.h>

uint64_t ThreadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

uint64_t SystemClock::Now() {
    return SDL_GetPerformanceCounter();
}

uint64_t SystemClock::Frequency() {
    return SDL_GetPerformanceFrequency();
}

void SystemClock::SleepMs(uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}
