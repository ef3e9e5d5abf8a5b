#include "platform/AudioDecoder.h"
#include "ThirdPartyData.h"

#include "AudioTestFiles.h"

#include <gtest/gtest.h>

namespace {

std::string AudioData(const std::string& file) {
    return ThirdPartyData("audio/" + file).string();
}

struct Expected {
    const char* file;
    int channels;
    int sampleRate;
    std::int64_t frames;
};

class ThirdPartyFiles : public testing::TestWithParam<Expected> {};

TEST_P(ThirdPartyFiles, DecodeWithTheirTrueLayoutAndLength) {
    const Expected& expected = GetParam();
    std::string error;
    auto audio = AudioDecoder::Decode(AudioData(expected.file), &error);
    ASSERT_TRUE(audio) << error;
    EXPECT_EQ(audio->Channels, expected.channels);
    EXPECT_EQ(audio->SampleRate, expected.sampleRate);
    EXPECT_EQ(audio->Frames, expected.frames);
    EXPECT_EQ(audio->Samples.size(), std::size_t(expected.frames * expected.channels));
}

INSTANTIATE_TEST_SUITE_P(Audio, ThirdPartyFiles,
                         testing::Values(Expected{"wav/spring.wav", 1, 22050, 15609},
                                         Expected{"wav/buttonfx.wav", 2, 22050, 22050},
                                         // odd data size followed by a pad byte
                                         Expected{"wav/coin.wav", 1, 22050, 18069},
                                         // chunks after the data chunk must not be read as samples
                                         Expected{"wav/killdeer.wav", 1, 22050, 112941},
                                         Expected{"wav/ball.wav", 2, 44100, 2424},
                                         Expected{"ogg/error_005.ogg", 1, 44100, 22052},
                                         Expected{"ogg/mouseclick1.ogg", 2, 44100, 2618},
                                         Expected{"ogg/target.ogg", 2, 22050, 44100}));

TEST(HeaderVariants, EveryVariantLoads) {
    for (const auto& entry : std::filesystem::directory_iterator(AudioData("wav-header-variants"))) {
        std::string error;
        EXPECT_TRUE(AudioDecoder::Decode(entry.path().string(), &error)) << entry.path() << ": " << error;
    }
}

TEST(HeaderVariants, SixteenBitSamplesSurviveUnchanged) {
    for (const char* file :
         {"pcmwaveformat-16bit-44100Hz-mono.wav", "pcmwaveformat-16bit-44100Hz-mono-extra.wav",
          "waveformatex-16bit-44100Hz-mono.wav"}) {
        auto audio = AudioDecoder::Decode(AudioData("wav-header-variants/") + file);
        ASSERT_TRUE(audio) << file;
        EXPECT_EQ(audio->Samples, (std::vector<std::int16_t>{2, -3, 5, -7})) << file;
    }
    auto stereo =
        AudioDecoder::Decode(AudioData("wav-header-variants/waveformatex-16bit-44100Hz-stereo.wav"));
    ASSERT_TRUE(stereo);
    EXPECT_EQ(stereo->Frames, 4);
    EXPECT_EQ(stereo->Samples, (std::vector<std::int16_t>{2, -3, 5, -7, 11, -13, 17, -19}));
}

TEST(HeaderVariants, UnsignedEightBitIsCentredOnSilence) {
    auto audio = AudioDecoder::Decode(AudioData("wav-header-variants/pcmwaveformat-8bit-44100Hz-mono.wav"));
    ASSERT_TRUE(audio);
    EXPECT_EQ(audio->Samples, (std::vector<std::int16_t>{19 * 256, -53 * 256, 89 * 256, -127 * 256}));
}

TEST(HeaderVariants, FloatBeyondFullScaleIsClippedNotWrapped) {
    auto audio =
        AudioDecoder::Decode(AudioData("wav-header-variants/waveformatex-ieeefloat-44100Hz-mono.wav"));
    ASSERT_TRUE(audio);
    ASSERT_EQ(audio->Samples.size(), 4u);
    EXPECT_EQ(audio->Samples[0], 32767);
    EXPECT_EQ(audio->Samples[2], -32767);
}

TEST(HeaderVariants, FullScaleFloatIsScaledToSixteenBits) {
    TestFolder folder;
    const float samples[] = {0.5f, -0.25f, 1.0f, -1.0f};
    std::ofstream out(folder / "float.wav", std::ios::binary);
    auto u32 = [&](std::uint32_t v) {
        out.write(reinterpret_cast<const char*>(&v), 4);
    };
    auto u16 = [&](std::uint16_t v) {
        out.write(reinterpret_cast<const char*>(&v), 2);
    };
    out.write("RIFF", 4);
    u32(36 + sizeof samples);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(3); // IEEE float
    u16(1);
    u32(8000);
    u32(8000 * 4);
    u16(4);
    u16(32);
    out.write("data", 4);
    u32(sizeof samples);
    out.write(reinterpret_cast<const char*>(samples), sizeof samples);
    out.close();

    auto audio = AudioDecoder::Decode((folder / "float.wav").string());
    ASSERT_TRUE(audio);
    EXPECT_EQ(audio->Samples, (std::vector<std::int16_t>{16384, -8192, 32767, -32767}));
}

TEST(BadFiles, TextAndEmptyFilesAreRejectedWithAReason) {
    TestFolder folder;
    WriteText(folder / "notes.wav", "these are not samples\n");
    WriteText(folder / "empty.ogg", "");
    for (const char* name : {"notes.wav", "empty.ogg", "missing.wav"}) {
        std::string error;
        EXPECT_FALSE(AudioDecoder::Decode((folder / name).string(), &error)) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
}

TEST(BadFiles, AFrameCountBeyondWhatTheFileCanHoldIsRefused) {
    TestFolder folder;
    WriteText(folder / "endless.ogg", OggWithoutLength(AudioData("ogg/error_005.ogg")));
    std::string error;
    EXPECT_FALSE(AudioDecoder::Decode((folder / "endless.ogg").string(), &error));
    EXPECT_NE(error.find("9223372036854775807 frames"), std::string::npos) << error;
}

} // namespace
