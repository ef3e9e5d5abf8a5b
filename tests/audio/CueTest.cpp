#include "audio/CueComponent.h"
#include "audio/CueLoopedBhv.h"
#include "audio/CueOneShotBhv.h"
#include "core/WellKnown.h"
#include "platform/AudioSound.h"

#include "CueFixture.h"

namespace {

class Cues : public CueFixture {
protected:
    void SetUp() override {
        WriteWav(folder / "Sounds" / "Main" / "Beep.wav", 0.5);
        WriteWav(folder / "Sounds" / "Main" / "Hum.wav", 1.0);
        WriteCue("Beep", "CueOneShotBhv", "Beep");
        WriteCue("BeepHigh", "CueOneShotBhv", "Beep", R"(, "Pitch": "12", "Volume": "0.5")");
        WriteCue("BeepLow", "CueOneShotBhv", "Beep", R"(, "Pitch": "-12")");
        WriteCue("Hum", "CueLoopedBhv", "Hum");
        WriteCue("Ghost", "CueOneShotBhv", "NoSuchSound");
        WriteCue("GhostLoop", "CueLoopedBhv", "NoSuchSound");
        WriteCue("WrongCase", "CueOneShotBhv", "beep");
        WriteText(folder / "Prefabs" / "Cue_Mute.json",
                  R"({"Components": {"CueComponent": ""}, "AutoCreate": ""})");
        WriteText(folder / "Prefabs" / "Cue_Bare.json",
                  R"({"Components": {"CueOneShotBhv": ""}, "AutoCreate": ""})");
        Start();
    }
};

TEST_F(Cues, AOneShotCueLivesExactlyAsLongAsItsSound) {
    playCue("Beep");
    ASSERT_EQ(cueRoot->Children.size(), 1u);
    EXPECT_EQ(cueRoot->Children[0]->PrefabName, "Cue_Beep");
    EXPECT_EQ(sounds->System().BusyChannelCount(), 1);
    EXPECT_EQ(FramesUntilNoCues(), 30);
    EXPECT_EQ(sounds->System().BusyChannelCount(), 0);
}

TEST_F(Cues, PitchTwelveHalvesTheTimeAndMinusTwelveDoublesIt) {
    playCue("BeepHigh");
    auto* high = cueRoot->Children.at(0)->GetComponentOfType<CueOneShotBhv>();
    EXPECT_FLOAT_EQ(high->Channel.GetFrequency(), 44100.0f);
    EXPECT_FLOAT_EQ(high->Volume, 0.5f);
    EXPECT_EQ(FramesUntilNoCues(), 15);
    playCue("BeepLow");
    EXPECT_EQ(FramesUntilNoCues(), 60);
}

TEST_F(Cues, ManyCuesPlayTogetherAndEachEndsOnItsOwn) {
    playCue("Beep");
    RunFrame();
    playCue("BeepHigh");
    EXPECT_EQ(cueRoot->Children.size(), 2u);
    for (int i = 0; i < 15; i++) {
        RunFrame();
    }
    ASSERT_EQ(cueRoot->Children.size(), 1u);
    EXPECT_EQ(cueRoot->Children[0]->PrefabName, "Cue_Beep");
}

TEST_F(Cues, ALoopedCueEndedWithEndLoopedCueFinishesItsPassThenGoes) {
    CueLoopedBhv* hum = playLoopedCue("Hum");
    ASSERT_TRUE(hum);
    EXPECT_TRUE(hum->IsStarted());
    for (int i = 0; i < 90; i++) { // one and a half passes
        RunFrame();
    }
    ASSERT_EQ(cueRoot->Children.size(), 1u);
    endLoopedCue(hum);
    EXPECT_EQ(FramesUntilNoCues(), 30);
}

TEST_F(Cues, StopLoopedCueSilencesAtOnceAndTheCueGoesThatFrame) {
    CueLoopedBhv* hum = playLoopedCue("Hum");
    ASSERT_TRUE(hum);
    RunFrame();
    stopLoopedCue(hum);
    EXPECT_EQ(sounds->System().BusyChannelCount(), 0);
    EXPECT_EQ(FramesUntilNoCues(), 1);
}

TEST_F(Cues, ALoopedCueRemovedWithItsParentStopsItsSound) {
    ASSERT_TRUE(playLoopedCue("Hum"));
    cueRoot->DestroyLater();
    RunFrame();
    EXPECT_EQ(sounds->System().BusyChannelCount(), 0);
}

TEST_F(Cues, ACueWithAMissingSoundRemovesItselfAtTheEndOfTheFrame) {
    for (int i = 0; i < 1000; i++) { // a drill hitting every frame must not grow the tree
        playCue("Ghost");
        playCue("WrongCase");
        EXPECT_EQ(playLoopedCue("GhostLoop"), nullptr);
        RunFrame();
        ASSERT_TRUE(cueRoot->Children.empty());
    }
    EXPECT_EQ(sounds->System().BusyChannelCount(), 0);
}

TEST_F(Cues, CuesThatCanNeverPlayAreHarmless) {
    playCue("NoSuchCue");
    EXPECT_TRUE(cueRoot->Children.empty());
    playCue("Mute");                           // a CueComponent without a cue behaviour: empty trigger
    playCue("Bare");                           // a cue behaviour without a CueComponent: nobody fires it
    EXPECT_EQ(playLoopedCue("Beep"), nullptr); // not a looped cue
    EXPECT_EQ(sounds->System().BusyChannelCount(), 1);
    EXPECT_EQ(FramesUntilNoCues(), 30);
}

TEST_F(Cues, WithoutACueManagerNothingPlays) {
    cueRoot->DestroyLater();
    queues.Flush();
    EXPECT_EQ(WellKnown<CueManagerBhv>::Get(), nullptr);
    playCue("Beep");
    EXPECT_EQ(playLoopedCue("Hum"), nullptr);
    EXPECT_EQ(sounds->System().BusyChannelCount(), 0);
}

TEST_F(Cues, ASecondCueManagerTakesOverAndTheFirstDoesNotClearIt) {
    GameObject* first = cueRoot;
    root.AppendChild(new GameObject("CueManager"));
    GameObject* second = root.Children.back();
    first->DestroyLater();
    queues.Flush();
    ASSERT_TRUE(WellKnown<CueManagerBhv>::Get());
    EXPECT_EQ(WellKnown<CueManagerBhv>::Get()->Owner, second);
}

TEST_F(Cues, StopAndEndIgnoreAMissingHandle) {
    stopLoopedCue(nullptr);
    endLoopedCue(nullptr);
}

TEST(CueClasses, RegisterWithTheirDefaults) {
    PrefabManager prefabs;
    prefabs.Registry.Register<CueComponent>("Unused"); // registration replaces nothing else
    RegisterAudioClasses(prefabs.Registry);
    prefabs.Registry.BuildPrototypes();
    for (const char* name : {"CueComponent", "CueLoopedBhv", "CueManagerBhv", "CueOneShotBhv"}) {
        ASSERT_TRUE(prefabs.Registry.Contains(name)) << name;
        EXPECT_EQ(prefabs.Registry.GetPrototype(name).Type, prefabs.Registry.GetClassIdentity(name)) << name;
    }
    IEditable& oneShot = prefabs.Registry.GetPrototype("CueOneShotBhv");
    EXPECT_EQ(oneShot.GetPropertyText("SoundName"), "");
    EXPECT_EQ(oneShot.GetPropertyText("Volume"), "1");
    EXPECT_EQ(oneShot.GetPropertyText("Pitch"), "0");
    EXPECT_TRUE(prefabs.Registry.GetPrototype("CueComponent").Properties.empty());
    EXPECT_TRUE(prefabs.Registry.GetPrototype("CueManagerBhv").Properties.empty());
    EXPECT_EQ(WellKnown<CueManagerBhv>::Get(), nullptr); // prototypes never run Start
}

} // namespace
