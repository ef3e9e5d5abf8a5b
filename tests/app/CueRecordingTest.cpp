// The real game in a window with OpenAL Soft's wave writer as its sound device: cues played during
// the run end up audible in the recording of the mix. Its own binary, because the sound backend is
// chosen by the environment before the first device opens.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/Application.h"
#include "audio/CueManagerBhv.h"
#include "platform/AudioDecoder.h"
#include "platform/Clock.h"

namespace {

// Loud stretches of the recording (seconds), split by at least 50 ms of silence.
int CountLoudStretches(const DecodedAudio& mix) {
    const int64_t gap = mix.SampleRate / 20;
    int stretches = 0;
    int64_t last = -gap - 1;
    for (int64_t frame = 0; frame < mix.Frames; ++frame) {
        bool loud = false;
        for (int c = 0; c < mix.Channels; ++c) {
            loud = loud || std::abs(mix.Samples[frame * mix.Channels + c]) > 1000;
        }
        if (loud) {
            if (frame - last > gap) {
                ++stretches;
            }
            last = frame;
        }
    }
    return stretches;
}

TEST(CueRecordingTest, CuesPlayedDuringARunAreAudibleInTheRecordedMix) {
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "needs an X display (scripts/test.sh starts Xvfb)";
    }
    const auto folder = std::filesystem::temp_directory_path() / ("kelvane-mix-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto mixFile = folder / "mix.wav";
    std::ofstream(folder / "alsoft.conf") << "[wave]\nfile=" << mixFile.string() << "\n";
    setenv("ALSOFT_DRIVERS", "wave", 1);
    setenv("ALSOFT_CONF", (folder / "alsoft.conf").c_str(), 1);
    // The game's music would fill the quiet between the cues: a player's setting mutes it.
    std::filesystem::create_directories(folder / "Kelvane");
    std::ofstream(folder / "Kelvane" / "settings.json") << R"({"MusicVolume": 0})";
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);

    {
        AppOptions options;
        options.Frames = 150;
        SystemClock clock;
        Application game(options, clock);
        game.SetFrameObserver([](int64_t frame) {
            if (frame == 20) {
                playCue("MoneyPickup");
            } else if (frame == 80) {
                playCue("ErrorBuzz");
            }
        });
        ASSERT_EQ(game.Run(), 0);
    }

    const auto mix = AudioDecoder::Decode(mixFile.string());
    ASSERT_TRUE(mix) << "no recording at " << mixFile;
    EXPECT_GT(mix->LengthSeconds(), 2.0);
    EXPECT_EQ(CountLoudStretches(*mix), 2);
    std::filesystem::remove_all(folder);
}

} // namespace
