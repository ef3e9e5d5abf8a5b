// Rebuilding one changed atlas of about 200 sprites: hot reload blocks the game while this runs, so
// the whole job (decode every sprite, trim, pack, encode the sheet, write both files) is measured,
// against the image library's part of it alone: decoding the same sprites and encoding the same sheet.
#include "AtlasPacker.h"
#include "Image.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "GoalMain.h"

using namespace kelvane::assetwright;
namespace fs = std::filesystem;

namespace {
fs::path makeSpriteFolder(int count) {
    fs::path folder = fs::temp_directory_path() / ("assetwright-bench-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "Sprites");
    std::uint32_t state = 12345;
    auto next = [&state](int lo, int hi) {
        state = state * 1664525u + 1013904223u;
        return lo + static_cast<int>((state >> 8) % static_cast<std::uint32_t>(hi - lo + 1));
    };
    for (int i = 0; i < count; ++i) {
        // Game-like sizes: mostly tiles and icons, some creatures and machines, a transparent margin.
        int w = next(0, 9) < 7 ? 16 : next(8, 64);
        int h = next(0, 9) < 7 ? 16 : next(8, 48);
        int margin = next(0, 3);
        Image image(w, h);
        for (int y = margin; y < h - margin; ++y) {
            for (int x = margin; x < w - margin; ++x) {
                std::uint8_t* p = image.at(x, y);
                p[0] = static_cast<std::uint8_t>(next(0, 255));
                p[1] = static_cast<std::uint8_t>(x * 9);
                p[2] = static_cast<std::uint8_t>(y * 5);
                p[3] = 255;
            }
        }
        savePng(image, folder / "Sprites" / ("Sprite" + std::to_string(i) + ".png"));
    }
    return folder;
}

void BM_RebuildAtlasOf200Sprites(benchmark::State& state) {
    const fs::path folder = makeSpriteFolder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        writeAtlas(packAtlasFolder(folder / "Sprites"), folder / "Sprites.xml");
    }
    state.SetLabel(std::to_string(state.range(0)) + " sprites");
    fs::remove_all(folder);
}
constexpr int Repetitions = 3;

BENCHMARK(BM_RebuildAtlasOf200Sprites)->Arg(200)->Unit(benchmark::kMillisecond)->Repetitions(Repetitions);

void BM_DecodeAndEncodeOnly(benchmark::State& state) {
    const fs::path folder = makeSpriteFolder(static_cast<int>(state.range(0)));
    std::vector<fs::path> sprites;
    for (const auto& entry : fs::directory_iterator(folder / "Sprites")) {
        sprites.push_back(entry.path());
    }
    const Image sheet = packAtlasFolder(folder / "Sprites").sheet;
    for (auto _ : state) {
        for (const fs::path& sprite : sprites) {
            benchmark::DoNotOptimize(loadPng(sprite).pixels.data());
        }
        benchmark::DoNotOptimize(encodePng(sheet).data());
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_DecodeAndEncodeOnly)->Arg(200)->Unit(benchmark::kMillisecond)->Repetitions(Repetitions);
} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksWithGoals(argc, argv, [](const BenchRuns& runs) {
        // Trimming, packing and writing may add half the image library's work again.
        runs.RatioGoal("tools.rebuild_atlas_of_200_sprites_vs_image_library",
                       "BM_RebuildAtlasOf200Sprites/200", "BM_DecodeAndEncodeOnly/200", 1.5);
    });
}
