// Cost of playing a cue (building its prefab and starting a channel) and of a frame with many cues
// alive. Uses the default device: silent on a machine without sound, a real mix otherwise (or with
// ALSOFT_DRIVERS=wave).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "audio/CueManagerBhv.h"
#include "audio/RegisterAudioClasses.h"
#include "audio/SoundManager.h"
#include "GoalMain.h"
#include "Scene.h"
#include "core/GameObject.h"
#include "core/ObjectPasses.h"
#include "core/Service.h"

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

// Per call of playCue; batches of 50 so that the pool never has to take a busy channel.
void BM_PlayCue(benchmark::State& state) {
    CueWorld world;
    constexpr int batch = 50;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < batch; i++) {
            playCue("Tone");
        }
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count() / batch);
        world.clearCues();
    }
    state.SetLabel(world.sounds->System().IsSilent() ? "silent device" : "output device");
}
BENCHMARK(BM_PlayCue)->UseManualTime()->Unit(benchmark::kMicrosecond);

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
        runs.RealGoal("audio.play_cue", "BM_PlayCue/manual_time", 1e-3, "us", 20.0);
    });
}
