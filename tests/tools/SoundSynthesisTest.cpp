// Sound and music recipes: the WAVs they give are what libsndfile (the game's decoder) reads, with
// the length the recipe asks for.
#include "MusicComposer.h"
#include "SoundSynth.h"
#include "TestFolder.h"
#include "ToolError.h"

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <fstream>
#include <iterator>

using namespace kelvane::assetwright;
namespace fs = std::filesystem;

namespace {
struct Decoded {
    SF_INFO info{};
    std::vector<float> samples;
};

Decoded decode(const fs::path& path) {
    Decoded d;
    SNDFILE* file = sf_open(path.string().c_str(), SFM_READ, &d.info);
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    if (file != nullptr) {
        d.samples.resize(static_cast<std::size_t>(d.info.frames * d.info.channels));
        sf_readf_float(file, d.samples.data(), d.info.frames);
        sf_close(file);
    }
    return d;
}

float peak(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    float p = 0.0f;
    for (std::size_t i = from; i < to && i < samples.size(); ++i) {
        p = std::max(p, std::abs(samples[i]));
    }
    return p;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
} // namespace

TEST(SoundRecipe, SingleVoiceGivesAMonoWavOfTheRecipesLength) {
    TestFolder temp;
    std::ofstream(temp / "Beep.json") << R"({ "SampleRate": 22050, "Wave": "square", "Duration": 0.25,
                                               "Frequency": 880 })";
    SoundRecipe recipe = readSoundRecipe(temp / "Beep.json");
    writeWav(synthesize(recipe), recipe.sampleRate, temp / "Beep.wav");
    Decoded d = decode(temp / "Beep.wav");
    EXPECT_EQ(d.info.frames, 5513); // 0.25 s × 22050, rounded
    EXPECT_EQ(d.info.channels, 1);
    EXPECT_EQ(d.info.samplerate, 22050);
    EXPECT_EQ(d.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_GT(peak(d.samples, 0, d.samples.size()), 0.3f);
}

TEST(SoundRecipe, LengthRunsToTheEndOfTheLastVoiceAndItsRepeats) {
    TestFolder temp;
    std::ofstream(temp / "Buzz.json") << R"({ "SampleRate": 10000, "Voices": [
        { "Wave": "saw", "Duration": 0.1, "Frequency": 110, "Repeat": 3, "RepeatInterval": 0.2 },
        { "Wave": "noise", "Start": 0.05, "Duration": 0.2, "Frequency": 0 } ] })";
    SoundRecipe recipe = readSoundRecipe(temp / "Buzz.json");
    EXPECT_EQ(soundFrameCount(recipe), 5000u); // last repeat starts at 0.4 s and lasts 0.1 s
    writeWav(synthesize(recipe), recipe.sampleRate, temp / "Buzz.wav");
    Decoded d = decode(temp / "Buzz.wav");
    EXPECT_EQ(d.info.frames, 5000);
    // Silence between the repeats (after the noise ends at 0.25 s), sound inside each.
    EXPECT_LT(peak(d.samples, 3000, 4000), 0.01f);
    EXPECT_GT(peak(d.samples, 4000, 5000), 0.1f);
}

TEST(SoundRecipe, SameRecipeGivesTheSameBytes) {
    TestFolder temp;
    std::ofstream(temp / "Hiss.json")
        << R"({ "Wave": "noise", "Duration": 0.1, "Frequency": 3000, "LowPass": 900 })";
    SoundRecipe recipe = readSoundRecipe(temp / "Hiss.json");
    writeWav(synthesize(recipe), recipe.sampleRate, temp / "A.wav");
    writeWav(synthesize(recipe), recipe.sampleRate, temp / "B.wav");
    EXPECT_EQ(readText(temp / "A.wav"), readText(temp / "B.wav"));
}

TEST(SoundRecipe, LoudMixesAreClippedNotWrapped) {
    SoundRecipe recipe;
    recipe.sampleRate = 8000;
    recipe.volume = 4.0;
    recipe.voices.push_back(SynthVoice{});
    recipe.voices[0].wave = Waveform::Sine;
    for (float s : synthesize(recipe)) {
        ASSERT_LE(std::abs(s), 1.0f);
    }
}

TEST(SoundRecipe, BadRecipesAreErrors) {
    TestFolder temp;
    std::ofstream(temp / "wave.json") << R"({ "Wave": "kazoo" })";
    EXPECT_THROW(readSoundRecipe(temp / "wave.json"), ToolError);
    std::ofstream(temp / "length.json") << R"({ "Duration": 0 })";
    EXPECT_THROW(readSoundRecipe(temp / "length.json"), ToolError);
    std::ofstream(temp / "json.json") << "{ not json";
    EXPECT_THROW(readSoundRecipe(temp / "json.json"), ToolError);
    EXPECT_THROW(readSoundRecipe(temp / "missing.json"), ToolError);
}

TEST(MusicRecipe, TrackAndLoopPointsAgreeWithTheSteps) {
    TestFolder temp;
    // 120 beats per minute, 2 steps per beat: a step is 0.25 s, 11025 frames at 44100 Hz.
    std::ofstream(temp / "Theme.json") << R"({ "SampleRate": 44100, "Tempo": 120, "StepsPerBeat": 2,
        "IntroSteps": 2, "Parts": [ { "Notes": "C3 - G2 ." }, { "Wave": "square", "Notes": "E4 E4 . . G4 - - ." } ] })";
    writeTrack(composeTrack(readMusicRecipe(temp / "Theme.json")), temp / "Out" / "Theme.wav");
    Decoded d = decode(temp / "Out" / "Theme.wav");
    EXPECT_EQ(d.info.frames, 8 * 11025);
    boost::property_tree::ptree loop;
    boost::property_tree::read_json((temp / "Out" / "Theme.json").string(), loop);
    EXPECT_EQ(loop.get<long>("LoopStartSample"), 2 * 11025);
    EXPECT_EQ(loop.get<long>("LoopEndSample"), d.info.frames);
}

TEST(MusicRecipe, NoteNamesGiveEqualTemperedFrequencies) {
    EXPECT_DOUBLE_EQ(noteFrequency("A4"), 440.0);
    EXPECT_NEAR(noteFrequency("C4"), 261.63, 0.01);
    EXPECT_NEAR(noteFrequency("A#2"), noteFrequency("Bb2"), 1e-9);
    EXPECT_NEAR(noteFrequency("A5"), 880.0, 1e-9);
    EXPECT_THROW(noteFrequency("H2"), ToolError);
    EXPECT_THROW(noteFrequency("C"), ToolError);
    EXPECT_THROW(noteFrequency("C#"), ToolError);
}
