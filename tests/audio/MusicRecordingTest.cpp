// Streams music through a device that mixes only when asked, a sixtieth of a second after each
// frame's update, and finds in the mix the loop seam (it must be sample-exact) and the cross-fade.
// The mix follows the frames alone: no wall clock, so the machine's load cannot change it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include <unistd.h>

#include "AudioTestFiles.h"
#include "audio/MusicManager.h"
#include "audio/MusicPlayer.h"
#include "platform/AudioDecoder.h"
#include "platform/AudioSystem.h"

namespace {

constexpr int Rate = 44100;
constexpr int FramesPerSecond = 60;
constexpr int SamplesPerFrame = Rate / FramesPerSecond;

// Nothing between the sources and the mix that alters a sample; read as the library starts, before
// the first device opens. No output backend is needed: the mix is rendered here.
const std::filesystem::path configFolder = [] {
    auto folder = std::filesystem::temp_directory_path() / ("kelvane-music-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    WriteText(folder / "alsoft.conf", "[general]\ndither = false\noutput-limiter = false\nhrtf = false\n");
    ::setenv("ALSOFT_DRIVERS", "null", 1);
    ::setenv("ALSOFT_CONF", (folder / "alsoft.conf").c_str(), 1);
    return folder;
}();

struct RemoveAtExit {
    ~RemoveAtExit() {
        std::error_code ignored;
        std::filesystem::remove_all(configFolder, ignored);
    }
} removeAtExit;

// A 16-bit stereo WAV of the interleaved samples.
void WriteStereoWav(const std::filesystem::path& path, const std::vector<std::int16_t>& samples) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) {
        out.write(reinterpret_cast<const char*>(&v), 4);
    };
    auto u16 = [&](std::uint16_t v) {
        out.write(reinterpret_cast<const char*>(&v), 2);
    };
    const auto bytes = std::uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    u32(36 + bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(2);
    u32(Rate);
    u32(Rate * 4);
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(bytes);
    out.write(reinterpret_cast<const char*>(samples.data()), bytes);
}

class MusicRecording : public ::testing::Test {
protected:
    MusicRecording() {
        // A counter: every frame's value is its frame number less 20000, so any gap, repeat or
        // misplaced seam shows as a step other than +1.
        std::vector<std::int16_t> counter;
        for (int frame = 0; frame < 40000; ++frame) {
            counter.insert(counter.end(), {std::int16_t(frame - 20000), std::int16_t(frame - 20000)});
        }
        WriteStereoWav(music / "Counter.wav", counter);
        WriteText(music / "Counter.json", R"({ "LoopStartSample": 5000, "LoopEndSample": 35000 })");
        // Two steady tracks, one on each side, to watch a cross-fade.
        std::vector<std::int16_t> left;
        std::vector<std::int16_t> right;
        for (int frame = 0; frame < Rate; ++frame) {
            left.insert(left.end(), {16000, 0});
            right.insert(right.end(), {0, 16000});
        }
        WriteStereoWav(music / "Left.wav", left);
        WriteStereoWav(music / "Right.wav", right);

        system = std::make_unique<AudioSystem>(AudioSystem::Device::Rendered);
        catalogue = std::make_unique<MusicManager>(music.string());
        player = std::make_unique<MusicPlayer>(*system, *catalogue);
    }

    // Game frames for `seconds`: each advances the player by a sixtieth of a second, then the
    // device mixes that sixtieth.
    void RunFor(double seconds) {
        std::vector<std::int16_t> frame(SamplesPerFrame * 2);
        for (int i = 0; i < static_cast<int>(seconds * FramesPerSecond + 0.5); ++i) {
            player->Update(1.0f / FramesPerSecond);
            ASSERT_TRUE(system->Render(frame.data(), SamplesPerFrame));
            mix_.insert(mix_.end(), frame.begin(), frame.end());
        }
    }

    // What was mixed so far.
    DecodedAudio Recording() const {
        DecodedAudio mix;
        mix.Channels = 2;
        mix.SampleRate = Rate;
        mix.Frames = static_cast<std::int64_t>(mix_.size() / 2);
        mix.Samples = mix_;
        return mix;
    }

    TestFolder folder;
    std::filesystem::path music = folder / "Music";
    std::unique_ptr<AudioSystem> system;
    std::unique_ptr<MusicManager> catalogue;
    std::unique_ptr<MusicPlayer> player;
    std::vector<std::int16_t> mix_;
};

TEST_F(MusicRecording, TheLoopSeamIsSampleExact) {
    ASSERT_FALSE(system->IsSilent()) << "the rendering device did not open";
    player->Play("Counter", 0.0f);
    RunFor(2.6); // the intro to the loop end, then three passes of the loop
    player->Stop(0.0f);
    RunFor(0.1);
    const DecodedAudio mix = Recording();
    ASSERT_EQ(mix.Channels, 2);
    ASSERT_EQ(mix.SampleRate, Rate);

    auto left = [&](std::int64_t frame) {
        return int(mix.Samples[frame * 2]);
    };
    // The seams: the loop's last frame (34999) followed by its first (5000).
    std::vector<std::int64_t> seams;
    std::int64_t first = -1;
    std::int64_t last = -1;
    for (std::int64_t frame = 0; frame + 1 < mix.Frames; ++frame) {
        if (left(frame) == 34999 - 20000 && left(frame + 1) == 5000 - 20000) {
            seams.push_back(frame + 1);
        }
        if (left(frame) == -20000 && left(frame + 1) == -19999 && first < 0) {
            first = frame;
        }
        if (left(frame) != 0) {
            last = frame;
        }
    }
    ASSERT_GE(first, 0) << "the track's first frames were not heard";
    ASSERT_GE(seams.size(), 2u);
    EXPECT_EQ(seams[0] - first, 35000) << "the intro runs from frame 0 to the loop end";
    for (std::size_t i = 1; i < seams.size(); ++i) {
        EXPECT_EQ(seams[i] - seams[i - 1], 30000) << "a loop pass is LoopEnd - LoopStart frames";
    }
    // Between the start and the stop every frame follows the one before, except at the seams.
    int steps = 0;
    int breaks = 0;
    for (std::int64_t frame = first + 1; frame < last - 1; ++frame) {
        const bool seam = std::find(seams.begin(), seams.end(), frame) != seams.end();
        ++steps;
        if (!seam && left(frame) != left(frame - 1) + 1) {
            ++breaks;
        }
        if (seam && left(frame) != 5000 - 20000) {
            ++breaks;
        }
    }
    RecordProperty("Seams", int(seams.size()));
    EXPECT_GT(steps, 100000);
    EXPECT_EQ(breaks, 0) << "gaps, repeats or altered samples in the played music";
}

TEST_F(MusicRecording, ANewTrackCrossFadesOverTheFadeLength) {
    ASSERT_FALSE(system->IsSilent()) << "the rendering device did not open";
    player->Play("Left", 0.0f);
    RunFor(0.5);
    player->Play("Right"); // the default fade
    EXPECT_EQ(player->CurrentTrack(), "Right");
    RunFor(1.6);
    const DecodedAudio mix = Recording();
    ASSERT_EQ(mix.Channels, 2);

    // From the first frame the old track is quieter to the last frame the new one is not yet full.
    std::int64_t fadeStart = -1;
    std::int64_t fadeEnd = -1;
    std::int64_t leftSilent = -1;
    for (std::int64_t frame = 0; frame < mix.Frames; ++frame) {
        const int l = mix.Samples[frame * 2];
        const int r = mix.Samples[frame * 2 + 1];
        if (fadeStart < 0 && r > 0) {
            fadeStart = frame;
        }
        if (fadeStart >= 0 && r < 16000) {
            fadeEnd = frame;
        }
        if (fadeStart >= 0 && leftSilent < 0 && l == 0) {
            leftSilent = frame;
        }
    }
    ASSERT_GE(fadeStart, 0) << "the new track was never heard";
    const double fadeIn = double(fadeEnd - fadeStart + 1) / Rate;
    const double fadeOut = double(leftSilent - fadeStart) / Rate;
    RecordProperty("FadeSeconds", std::to_string(fadeIn) + " " + std::to_string(fadeOut));
    EXPECT_NEAR(fadeIn, MusicPlayer::DefaultFadeSeconds, 0.1);
    EXPECT_NEAR(fadeOut, MusicPlayer::DefaultFadeSeconds, 0.1);
}

} // namespace
