// Plays cues through OpenAL Soft's wave-writer backend, which records the mix to a file in real
// time, and measures what was heard. Its own binary: the backend is chosen by the environment before
// the first device opens.
#include "audio/CueOneShotBhv.h"
#include "platform/AudioDecoder.h"

#include "CueFixture.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

const std::filesystem::path recordingFolder = [] {
    auto folder = std::filesystem::temp_directory_path() / ("kelvane-wave-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    WriteText(folder / "alsoft.conf", "[wave]\nfile=" + (folder / "mix.wav").string() + "\n");
    ::setenv("ALSOFT_DRIVERS", "wave", 1);
    ::setenv("ALSOFT_CONF", (folder / "alsoft.conf").c_str(), 1);
    return folder;
}();

// Stretches of the recording louder than silence, in seconds, split by gaps of at least 50 ms.
std::vector<double> loudStretches(const DecodedAudio& mix) {
    std::vector<double> stretches;
    const std::int64_t gap = mix.SampleRate / 20;
    std::int64_t first = -1, last = -1;
    for (std::int64_t frame = 0; frame < mix.Frames; frame++) {
        bool loud = false;
        for (int c = 0; c < mix.Channels; c++) {
            loud = loud || std::abs(mix.Samples[frame * mix.Channels + c]) > 1000;
        }
        if (!loud) {
            continue;
        }
        if (first >= 0 && frame - last > gap) {
            stretches.push_back(double(last - first + 1) / mix.SampleRate);
            first = -1;
        }
        if (first < 0) {
            first = frame;
        }
        last = frame;
    }
    if (first >= 0) {
        stretches.push_back(double(last - first + 1) / mix.SampleRate);
    }
    return stretches;
}

class WaveRecording : public CueFixture {
protected:
    WaveRecording() : CueFixture(AudioSystem::Device::Default) {}

    void SetUp() override {
        WriteWav(folder / "Sounds" / "Main" / "Tone.wav", 0.4, 22050, 1);
        WriteCue("Tone", "CueOneShotBhv", "Tone");
        WriteCue("ToneHigh", "CueOneShotBhv", "Tone", R"(, "Pitch": "12")");
        Start();
    }

    // Runs real-time frames until every cue has gone (at most 3 s), then some silence.
    void PlayOut() {
        for (int frame = 0; frame < 180 && !cueRoot->Children.empty(); frame++) {
            std::this_thread::sleep_for(std::chrono::milliseconds(16));
            RunFrame();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
};

TEST_F(WaveRecording, CuesAreHeardForTheirLengthAndAnOctaveUpForHalfOfIt) {
    ASSERT_FALSE(sounds->System().IsSilent()) << "the wave writer did not open";
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    playCue("Tone");
    PlayOut();
    EXPECT_TRUE(cueRoot->Children.empty());
    playCue("ToneHigh");
    PlayOut();
    EXPECT_TRUE(cueRoot->Children.empty());

    // Closing the device completes the file.
    soundScope.reset();
    sounds.reset();
    std::string error;
    auto mix = AudioDecoder::Decode((recordingFolder / "mix.wav").string(), &error);
    ASSERT_TRUE(mix) << error;
    std::vector<double> stretches = loudStretches(*mix);
    ASSERT_EQ(stretches.size(), 2u);
    RecordProperty("HeardSeconds", std::to_string(stretches[0]) + " " + std::to_string(stretches[1]));
    EXPECT_NEAR(stretches[0], 0.4, 0.02);
    EXPECT_NEAR(stretches[1], 0.2, 0.02);
    std::filesystem::remove_all(recordingFolder);
}

} // namespace
