// How soon the game shows its window: the time from making the application to its first presented
// frame (a 1280 x 720 window with an OpenGL 3.3 core context), against a bare program that opens an
// SDL window with such a context and presents one cleared frame, in the same process and run. Both
// need a display; the figures are wall-clock times, the least of several runs each.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "GoalMain.h"

#include "app/Application.h"
#include "platform/Clock.h"

namespace {

using Seconds = std::chrono::duration<double>;

void BM_GameWindowStartup(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no display");
        return;
    }
    for (auto _ : state) {
        AppOptions options;
        options.Frames = 1;
        options.FixedStep = true;
        options.Seed = 7;
        SystemClock clock;
        const auto start = std::chrono::steady_clock::now();
        double seconds = 0.0;
        {
            Application application(options, clock);
            application.SetFrameObserver(
                [&](int64_t) { seconds = Seconds(std::chrono::steady_clock::now() - start).count(); });
            if (application.Run() != 0 || seconds == 0.0) {
                state.SkipWithError("the game did not run (run from build/release/bin)");
                return;
            }
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_GameWindowStartup)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(7)
    ->Unit(benchmark::kMillisecond);

void BM_BareSdlGlWindow(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no display");
        return;
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            state.SkipWithError(SDL_GetError());
            return;
        }
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 1280,
                                              720, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
        SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
        if (!context) {
            state.SkipWithError(SDL_GetError());
            if (window) {
                SDL_DestroyWindow(window);
            }
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            return;
        }
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        SDL_GL_SwapWindow(window);
        state.SetIterationTime(Seconds(std::chrono::steady_clock::now() - start).count());
        SDL_GL_DeleteContext(context);
        SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}
BENCHMARK(BM_BareSdlGlWindow)->UseManualTime()->Iterations(1)->Repetitions(7)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        const char* game = "BM_GameWindowStartup/iterations:1/manual_time";
        const char* bare = "BM_BareSdlGlWindow/iterations:1/manual_time";
        if (const auto* g = runs.Find(game); g && runs.Find(bare)) {
            std::printf("window start-up: the game %.0f ms, a bare SDL and GL 3.3 window %.0f ms\n",
                        g->RealNs / 1e6, runs.Find(bare)->RealNs / 1e6);
        }
        // The game's first frame comes at most twice as late as a bare window's.
        runs.CounterRatioGoal("app.window_startup_vs_bare_sdl_gl_window", game, bare, "real", 2.0);
    });
}
