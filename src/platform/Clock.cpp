#include "platform/Clock.h"

#include <SDL2/SDL_timer.h>

uint64_t SystemClock::Now() { return SDL_GetPerformanceCounter(); }

uint64_t SystemClock::Frequency() { return SDL_GetPerformanceFrequency(); }

void SystemClock::SleepMs(uint32_t milliseconds) { SDL_Delay(milliseconds); }
