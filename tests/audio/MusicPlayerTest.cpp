// Choosing tracks on a silent device: what plays, and what a bad request costs (one line, nothing else).
#include <gtest/gtest.h>

#include "AudioTestFiles.h"
#include "audio/MusicManager.h"
#include "audio/MusicPlayer.h"
#include "platform/AudioSystem.h"

namespace {

TEST(MusicPlayerTest, TracksAreChosenByNameAndBadOnesCostOneLine) {
    TestFolder folder;
    WriteWav(folder / "Music" / "Surface.wav", 0.5, 22050, 2);
    WriteWav(folder / "Music" / "Deep.wav", 0.5, 22050, 1);
    WriteText(folder / "Music" / "Broken.ogg", "not a sound file");
    AudioSystem system(AudioSystem::Device::Silent);
    MusicManager catalogue((folder / "Music").string());
    MusicPlayer player(system, catalogue);

    player.Play("Surface");
    EXPECT_EQ(player.CurrentTrack(), "Surface");
    player.Update(0.5f);
    player.Play("Surface"); // already playing: no restart
    EXPECT_EQ(player.CurrentTrack(), "Surface");

    testing::internal::CaptureStderr();
    player.Play("Nowhere");
    player.Play("Broken");
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(player.CurrentTrack(), "Surface") << "the music goes on as it was";
    EXPECT_NE(errors.find("\"Nowhere\""), std::string::npos) << errors;
    EXPECT_NE(errors.find("Broken.ogg"), std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 2) << errors;

    player.Play("Deep");
    EXPECT_EQ(player.CurrentTrack(), "Deep");
    player.SetVolume(2.0f);
    EXPECT_EQ(player.Volume(), 1.0f);
    player.Stop();
    EXPECT_EQ(player.CurrentTrack(), "");
    for (int frame = 0; frame < 70; ++frame) {
        player.Update(1.0f / 60.0f);
    }
}

} // namespace
