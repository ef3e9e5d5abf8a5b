#include "audio/SoundManager.h"
#include "ThirdPartyData.h"

#include "core/ContentError.h"
#include "platform/AudioSound.h"

#include "AudioTestFiles.h"

#include <gtest/gtest.h>

namespace {

class SoundBanks : public testing::Test {
protected:
    TestFolder folder;
};

TEST_F(SoundBanks, AMissingBankFolderIsAContentErrorNamingIt) {
    SoundManager sounds(AudioSystem::Device::Silent, folder.Path().string());
    try {
        sounds.loadBank("Main");
        FAIL() << "no error";
    } catch (const ContentError& error) {
        EXPECT_EQ(error.File(), (folder / "Main").string());
    }
    EXPECT_FALSE(sounds.IsBankLoaded("Main"));
}

TEST_F(SoundBanks, LoadingABankTwiceLoadsItOnce) {
    WriteWav(folder / "Main" / "Beep.wav", 0.1);
    SoundManager sounds(AudioSystem::Device::Silent, folder.Path().string());
    sounds.loadBank("Main");
    AudioSound* first = sounds.findSound("Beep");
    ASSERT_TRUE(first);
    WriteWav(folder / "Main" / "Later.wav", 0.1);
    sounds.loadBank("Main");
    EXPECT_EQ(sounds.findSound("Beep"), first);
    EXPECT_EQ(sounds.findSound("Later"), nullptr);
}

TEST_F(SoundBanks, TheBankWhoseNameSortsFirstWins) {
    WriteWav(folder / "Zed" / "Beep.wav", 0.3);
    WriteWav(folder / "Alpha" / "Beep.wav", 0.2);
    WriteWav(folder / "Zed" / "OnlyInZed.wav", 0.1);
    SoundManager sounds(AudioSystem::Device::Silent, folder.Path().string());
    sounds.loadBank("Zed"); // loading order must not matter
    sounds.loadBank("Alpha");
    ASSERT_TRUE(sounds.findSound("Beep"));
    EXPECT_DOUBLE_EQ(sounds.findSound("Beep")->LengthSeconds(), 0.2);
    EXPECT_TRUE(sounds.findSound("OnlyInZed"));

    sounds.unloadBank("Alpha");
    EXPECT_DOUBLE_EQ(sounds.findSound("Beep")->LengthSeconds(), 0.3);
}

TEST_F(SoundBanks, NamesAreFileStemsComparedExactly) {
    WriteWav(folder / "Main" / "DrillSpin.ogg.wav", 0.1); // only the last extension goes
    std::filesystem::copy_file(folder / "Main" / "DrillSpin.ogg.wav", folder / "Main" / "DrillSpin.WAV");
    SoundManager sounds(AudioSystem::Device::Silent, folder.Path().string());
    sounds.loadBank("Main");
    EXPECT_TRUE(sounds.findSound("DrillSpin"));
    EXPECT_TRUE(sounds.findSound("DrillSpin.ogg"));
    EXPECT_FALSE(sounds.findSound("drillspin"));
    EXPECT_FALSE(sounds.findSound("DRILLSPIN"));
    EXPECT_FALSE(sounds.findSound("DrillSpin.WAV"));
}

TEST_F(SoundBanks, UndecodableFilesAreSkippedWithOneWarningEach) {
    WriteWav(folder / "Main" / "Good.wav", 0.1);
    WriteText(folder / "Main" / "Broken.wav", "RIFF but not really");
    WriteText(folder / "Main" / "readme.txt", "notes");
    WriteWav(folder / "Main" / "Sub" / "Nested.wav", 0.1); // subfolders are not part of the bank
    std::filesystem::create_symlink(folder / "Main" / "Loop.wav", folder / "Main" / "Loop.wav");
    SoundManager sounds(AudioSystem::Device::Silent, folder.Path().string());
    testing::internal::CaptureStderr();
    sounds.loadBank("Main");
    const std::string warnings = testing::internal::GetCapturedStderr();

    EXPECT_TRUE(sounds.findSound("Good"));
    EXPECT_FALSE(sounds.findSound("Broken"));
    EXPECT_FALSE(sounds.findSound("Nested"));
    EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 3) << warnings;
    EXPECT_NE(warnings.find("Loop.wav: cannot be read"), std::string::npos) << warnings;
    EXPECT_NE(warnings.find("Broken.wav"), std::string::npos) << warnings;
    EXPECT_NE(warnings.find("readme.txt"), std::string::npos) << warnings;
}

TEST_F(SoundBanks, UnloadingStopsTheBanksChannelsAndForgetsItsSounds) {
    WriteWav(folder / "Main" / "Long.wav", 2.0);
    SoundManager sounds(AudioSystem::Device::Silent, folder.Path().string());
    sounds.loadBank("Main");
    AudioChannel channel = sounds.System().PlaySound(*sounds.findSound("Long"), false);
    sounds.unloadBank("Main");
    EXPECT_FALSE(channel.IsPlaying());
    EXPECT_FALSE(sounds.findSound("Long"));
    EXPECT_FALSE(sounds.IsBankLoaded("Main"));
    sounds.unloadBank("Main"); // not loaded: nothing
    sounds.loadBank("Main");
    EXPECT_TRUE(sounds.findSound("Long"));
}

TEST_F(SoundBanks, TheThirdPartyFilesAllLoad) {
    SoundManager sounds(AudioSystem::Device::Silent, ThirdPartyData("audio").string());
    testing::internal::CaptureStderr();
    sounds.loadBank("wav");
    sounds.loadBank("ogg");
    sounds.loadBank("wav-header-variants");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    for (const char* name : {"spring", "killdeer", "doodle_pop", "target", "waveformatex-8bit-11025Hz-mono",
                             "waveformatextensible-24bit-4byte-48kHz-stereo"}) {
        EXPECT_TRUE(sounds.findSound(name)) << name;
    }
}

} // namespace
