#include "audio/MusicManager.h"

#include "AudioTestFiles.h"

#include <gtest/gtest.h>

namespace {

class MusicCatalogue : public testing::Test {
protected:
    MusicManager build() {
        testing::internal::CaptureStderr();
        MusicManager music(folder.Path().string());
        warnings = testing::internal::GetCapturedStderr();
        return music;
    }
    int warningCount() const { return int(std::count(warnings.begin(), warnings.end(), '\n')); }

    TestFolder folder;
    std::string warnings;
};

TEST_F(MusicCatalogue, ATrackTakesItsLoopPointsFromTheJsonBesideIt) {
    WriteText(folder / "Theme.ogg", "track");
    WriteText(folder / "Theme.json", R"({"LoopStartSample": 44100, "LoopEndSample": 882000})");
    MusicManager music = build();
    const MusicMetadata* theme = music.FindTrack("Theme");
    ASSERT_TRUE(theme);
    EXPECT_EQ(theme->Path, (folder / "Theme.ogg").string());
    EXPECT_EQ(theme->LoopStartSample, 44100);
    EXPECT_EQ(theme->LoopEndSample, 882000);
    EXPECT_EQ(music.Tracks().size(), 1u);
    EXPECT_EQ(warningCount(), 0);
}

TEST_F(MusicCatalogue, ATrackWithoutMetadataKeepsMinusOne) {
    WriteText(folder / "Deep.wav", "track");
    MusicManager music = build();
    ASSERT_TRUE(music.FindTrack("Deep"));
    EXPECT_EQ(music.FindTrack("Deep")->LoopStartSample, -1);
    EXPECT_EQ(music.FindTrack("Deep")->LoopEndSample, -1);
}

TEST_F(MusicCatalogue, MetadataWithoutATrackIsIgnored) {
    WriteText(folder / "Orphan.json", R"({"LoopStartSample": 1, "LoopEndSample": 2})");
    MusicManager music = build();
    EXPECT_TRUE(music.Tracks().empty());
    EXPECT_EQ(warningCount(), 0);
}

TEST_F(MusicCatalogue, TheJsonExtensionIsRecognisedInAnyCase) {
    WriteText(folder / "Theme.mp3", "track");
    WriteText(folder / "Theme.JSON", R"({"LoopStartSample": 5, "LoopEndSample": 10})");
    MusicManager music = build();
    ASSERT_EQ(music.Tracks().size(), 1u);
    EXPECT_EQ(music.FindTrack("Theme")->LoopStartSample, 5);
    EXPECT_FALSE(music.FindTrack("theme"));
}

TEST_F(MusicCatalogue, OfTwoTracksWithOneStemTheLastListedWins) {
    WriteText(folder / "Theme.ogg", "track");
    WriteText(folder / "Theme.wav", "track");
    WriteText(folder / "Theme.json", R"({"LoopStartSample": 7, "LoopEndSample": 8})");
    std::string last;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        if (entry.path().extension() != ".json") {
            last = entry.path().string();
        }
    }
    MusicManager music = build();
    ASSERT_EQ(music.Tracks().size(), 1u);
    EXPECT_EQ(music.FindTrack("Theme")->Path, last);
    EXPECT_EQ(music.FindTrack("Theme")->LoopEndSample, 8);
}

TEST_F(MusicCatalogue, BadMetadataWarnsOnceAndLeavesBothPointsUnset) {
    WriteText(folder / "NoEnd.ogg", "track");
    WriteText(folder / "NoEnd.json", R"({"LoopStartSample": 100})");
    WriteText(folder / "Fraction.ogg", "track");
    WriteText(folder / "Fraction.json", R"({"LoopStartSample": 1.5, "LoopEndSample": 9})");
    WriteText(folder / "Word.ogg", "track");
    WriteText(folder / "Word.json", R"({"LoopStartSample": "soon", "LoopEndSample": 9})");
    WriteText(folder / "Broken.ogg", "track");
    WriteText(folder / "Broken.json", R"({"LoopStartSample": )");
    WriteText(folder / "Deep.ogg", "track");
    WriteText(folder / "Deep.json", std::string(60000, '[') + std::string(60000, ']'));
    WriteText(folder / "Fine.ogg", "track");
    WriteText(folder / "Fine.json", R"({"LoopStartSample": -3, "LoopEndSample": 9})");
    MusicManager music = build();

    EXPECT_EQ(music.Tracks().size(), 6u);
    for (const char* name : {"NoEnd", "Fraction", "Word", "Broken", "Deep"}) {
        ASSERT_TRUE(music.FindTrack(name)) << name;
        EXPECT_EQ(music.FindTrack(name)->LoopStartSample, -1) << name;
        EXPECT_EQ(music.FindTrack(name)->LoopEndSample, -1) << name;
        EXPECT_NE(warnings.find(std::string(name) + ".json"), std::string::npos) << warnings;
    }
    EXPECT_EQ(warningCount(), 5) << warnings;
    EXPECT_EQ(music.FindTrack("Fine")->LoopStartSample, -3);
}

TEST_F(MusicCatalogue, SubfoldersAreNotWalkedAndAMissingFolderIsEmpty) {
    WriteText(folder / "Extra" / "Hidden.ogg", "track");
    EXPECT_TRUE(build().Tracks().empty());
    EXPECT_TRUE(MusicManager((folder / "Nowhere").string()).Tracks().empty());
}

} // namespace
