#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "GoalMain.h"
#include "input/InputManager.h"
#include "input/InputRecorder.h"
#include "platform/SessionRecording.h"

namespace {

constexpr int FramesPerSecond = 60;
constexpr int TenMinutes = 10 * 60 * FramesPerSecond;

// What the pump leaves in the input manager over ten minutes of ordinary mouse-and-keyboard play:
// the pointer moves on half the frames (a hand on the mouse rarely rests), a key goes down or up
// about three times a second, the drill button is held in bursts, and one frame in 120 comes late.
struct Session {
    struct Frame {
        KeySet Keys;
        Vector2 Mouse;
        float Delta = 1.0f / FramesPerSecond;
    };

    Session() {
        std::mt19937 random(42);
        const Key steering[] = {Key::W, Key::A, Key::S, Key::D, Key::Space, Key::Oem1, Key::Oem2};
        Frame now;
        now.Mouse = {640.0f, 360.0f};
        for (int f = 0; f < TenMinutes; ++f) {
            now.Delta = f % 120 == 119 ? 2.0f / FramesPerSecond : 1.0f / FramesPerSecond;
            if (f % 2 == 0) {
                // Logical pixels of a window scaled by 1.5: thirds and halves, as the letterbox gives.
                now.Mouse.x += static_cast<float>(static_cast<int>(random() % 7) - 3) / 1.5f;
                now.Mouse.y += static_cast<float>(static_cast<int>(random() % 7) - 3) / 1.5f;
            }
            if (random() % 20 == 0) {
                now.Keys.flip(static_cast<size_t>(steering[random() % std::size(steering)]));
            }
            if (random() % 90 == 0) {
                now.Keys.flip(static_cast<size_t>(Key::LeftMouse));
            }
            frames.push_back(now);
        }
    }

    std::vector<Frame> frames;
};

// Ten minutes recorded as the game records a session without --record: the recorder reads the input
// manager after each pump and the memory recording keeps the lines.
void BM_RecordTenMinutes(benchmark::State& state) {
    const Session session;
    InputManager input;
    size_t bytes = 0;
    for (auto _ : state) {
        auto recording = SessionRecording::InMemory("/nonexistent/bench.replay", 16u << 20);
        InputRecorder recorder;
        recording->Append(InputRecorder::Header("0.0.0", 1));
        recording->Commit(0);
        std::string lines;
        for (int f = 0; f < TenMinutes; ++f) {
            const Session::Frame& frame = session.frames[static_cast<size_t>(f)];
            input.CurrentKeys = frame.Keys;
            input.MousePosition = frame.Mouse;
            lines.clear();
            recorder.Frame(f + 1, frame.Delta, 1.0f / FramesPerSecond, input, true, lines);
            if (!lines.empty()) {
                recording->Append(lines);
            }
            recording->Commit(f + 1);
        }
        bytes = recording->Size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["ms/frame"] = benchmark::Counter(
        TenMinutes, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["MB/10min"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_RecordTenMinutes)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        // Frame-share budgets: milliseconds of the 16.7 ms frame, and the file's size.
        runs.CounterGoal("input.record_cpu_per_frame", "BM_RecordTenMinutes", "ms/frame", 1e3, "ms", 0.01);
        runs.CounterGoal("input.record_size_per_10_minutes", "BM_RecordTenMinutes", "MB/10min", 1.0, "MB",
                         1.0);
    });
}
