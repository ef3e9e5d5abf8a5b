// Cost of playing a cue (building its prefab and starting a channel) against building the same
// cue's object alone, and of a frame with many cues alive. Uses the default device: silent on a machine
// without sound, a real mix otherwise (or with ALSOFT_DRIVERS=wave).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "GoalMain.h"
#include "Scene.h"
#include "audio/CueManagerBhv.h"
#include "audio/RegisterAudioClasses.h"
#include "audio/SoundManager.h"
#include "core/GameObject.h"
#include "core/ObjectPasses.h"
#include "core/Service.h"
#include "platform/Clock.h"

namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// One second of 16-bit mono noise-free tone.
std::string toneWav() {
    const std::uint32_t frames = 22050;
    std::string data;
    for (std::uint32_t i = 0; i < frames; i++) {
        auto sample = std::int16_t(8000 * std::sin(i * 0.1));
        data.append(reinterpret_cast<const char*>(&sample), 2);
    }
    auto u32 = [](std::uint32_t v) {
        return std::string(reinterpret_cast<const char*>(&v), 4);
    };
    auto u16 = [](std::uint16_t v) {
        return std::string(reinterpret_cast<const char*>(&v), 2);
    };
    return "RIFF" + u32(36 + frames * 2) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(22050) + u32(44100) +
           u16(2) + u16(16) + "data" + u32(frames * 2) + data;
}

// The services and tree a cue needs, with the cues "Tone" (one-shot) and "ToneLoop" (looped).
struct CueWorld : Scene {
    CueWorld() : folder(fs::temp_directory_path() / "kelvane-cue-bench") {
        fs::remove_all(folder);
        writeFile(folder / "Sounds" / "Main" / "Tone.wav", toneWav());
        writeFile(folder / "Prefabs" / "CueManager.json",
                  R"({"Components": {"CueManagerBhv": ""}, "AutoCreate": ""})");
        writeFile(
            folder / "Prefabs" / "Cue_Tone.json",
            R"({"Components": {"CueComponent": "", "CueOneShotBhv": {"SoundName": "Tone", "Pitch": "3"}}, "AutoCreate": ""})");
        writeFile(
            folder / "Prefabs" / "Cue_ToneLoop.json",
            R"({"Components": {"CueComponent": "", "CueLoopedBhv": {"SoundName": "Tone", "Volume": "0.01"}}, "AutoCreate": ""})");
        prefabs.RegisterAll(RegisterAudioClasses, folder / "Prefabs");
        sounds = std::make_unique<SoundManager>(AudioSystem::Device::Default, (folder / "Sounds").string());
        soundScope = std::make_unique<Service<SoundManager>::Scoped>(*sounds);
        sounds->loadBank("Main");
        root.AppendChild(new GameObject("CueManager"));
        cueRoot = root.Children.back();
    }
    ~CueWorld() {
        ClearTree(); // the cue objects go while the sound manager still lives
        fs::remove_all(folder);
    }

    void frame() {
        sounds->Update(time.FrameDelta);
        UpdatePass(root);
        queues.Flush();
    }

    void clearCues() {
        for (GameObject* cue : cueRoot->Children) {
            cue->DestroyLater();
        }
        queues.Flush();
    }

    fs::path folder;
    std::unique_ptr<SoundManager> sounds;
    std::unique_ptr<Service<SoundManager>::Scoped> soundScope;
    GameObject* cueRoot = nullptr;
};

// This thread's CPU time per cue of a batch of 50, so that the pool never has to take a busy
// channel; the batch's cues go again untimed. CPU time rather than wall-clock: on a shared machine
// the wall clock mostly measures waiting for a core. A set number of batches: sized by the timed
// part alone, a run would take long.
template <class Batch> void TimeCueBatches(benchmark::State& state, CueWorld& world, Batch&& batch) {
    constexpr int cues = 50;
    for (auto _ : state) {
        const uint64_t start = ThreadCpuNanoseconds();
        for (int i = 0; i < cues; i++) {
            batch();
        }
        state.SetIterationTime(static_cast<double>(ThreadCpuNanoseconds() - start) * 1e-9 / cues);
        world.clearCues();
    }
    state.SetLabel(world.sounds->System().IsSilent() ? "silent device" : "output device");
}

constexpr int CueBatches = 2000;
constexpr int Repetitions = 5;

void BM_PlayCue(benchmark::State& state) {
    CueWorld world;
    TimeCueBatches(state, world, [] { playCue("Tone"); });
}
BENCHMARK(BM_PlayCue)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(CueBatches)
    ->Repetitions(Repetitions);

// The reference: the cue's object built from its prefab and put where playCue puts it, not played.
void BM_BuildCueObject(benchmark::State& state) {
    CueWorld world;
    TimeCueBatches(state, world, [&world] { world.cueRoot->AppendChild(new GameObject("Cue_Tone")); });
}
BENCHMARK(BM_BuildCueObject)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(CueBatches)
    ->Repetitions(Repetitions);

// One frame's sound update, update pass and flush with n looped cues playing.
void BM_FrameWithCues(benchmark::State& state) {
    CueWorld world;
    for (int i = 0; i < state.range(0); i++) {
        playLoopedCue("ToneLoop");
    }
    for (auto _ : state) {
        world.frame();
    }
    state.counters["cues"] = double(world.cueRoot->Children.size());
    state.SetLabel(world.sounds->System().IsSilent() ? "silent device" : "output device");
}
BENCHMARK(BM_FrameWithCues)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        const std::string batches = "/iterations:" + std::to_string(CueBatches) + "/manual_time";
        // Starting the channel may cost as much again as building the cue.
        runs.CounterRatioGoal("audio.play_cue_vs_building_it", "BM_PlayCue" + batches,
                              "BM_BuildCueObject" + batches, "real", 2.0);
    });
}
