// The music follows the submarine's depth and the boss's life, through a real player on a silent
// device with a catalogue of short tracks.
#include <gtest/gtest.h>

#include "AudioTestFiles.h"
#include "EnemyFixture.h"
#include "audio/MusicManager.h"
#include "audio/MusicPlayer.h"
#include "core/Pos2dComponent.h"
#include "core/WellKnown.h"
#include "events/BossEvents.h"
#include "events/Events.h"
#include "events/GameEvents.h"
#include "flow/music/GameMusicBhv.h"
#include "platform/AudioSystem.h"
#include "player/sub/SubBhv.h"
#include "world/generation/WorldMakerBhv.h"

namespace {

using Mood = GameMusicBhv::Mood;

TEST(GameMusicChoiceTest, TheDepthsBeginAtTheChamberTopAndTheSurfaceReturnsTwoRowsAbove) {
    EXPECT_EQ(GameMusicBhv::Choose(Mood::Surface, 10.0f, 205, false), Mood::Surface);
    EXPECT_EQ(GameMusicBhv::Choose(Mood::Surface, 204.9f, 205, false), Mood::Surface);
    EXPECT_EQ(GameMusicBhv::Choose(Mood::Surface, 205.0f, 205, false), Mood::Depths);
    EXPECT_EQ(GameMusicBhv::Choose(Mood::Depths, 204.0f, 205, false), Mood::Depths) << "hovering";
    EXPECT_EQ(GameMusicBhv::Choose(Mood::Depths, 203.0f, 205, false), Mood::Surface);
    EXPECT_EQ(GameMusicBhv::Choose(Mood::Boss, 204.0f, 205, false), Mood::Depths);
    for (float depth : {5.0f, 215.0f, 400.0f}) {
        EXPECT_EQ(GameMusicBhv::Choose(Mood::Surface, depth, 205, true), Mood::Boss) << depth;
    }
}

// The catalogue's folder, with three short tracks written into it.
std::string WriteTracks(const TestFolder& folder) {
    for (const char* track : {"Up", "Down", "Fight"}) {
        WriteWav(folder / "Music" / (std::string(track) + ".wav"), 0.5);
    }
    return (folder / "Music").string();
}

class GameMusicTest : public EnemyFixture {
protected:
    GameMusicTest() {
        auto* makerObject = new GameObject();
        maker = new WorldMakerBhv();
        maker->B01BossStart = 205;
        maker->B01BossEnd = 225;
        makerObject->AddComponent(maker);
        root.AppendChild(makerObject);

        sub = new GameObject();
        sub->AddComponent(new Pos2dComponent());
        subBhv = new SubBhv();
        sub->AddComponent(subBhv);
        root.AppendChild(sub);

        AddPrefab("Music", R"({"Components": {"GameMusicBhv": {"SurfaceTrack": "Up",
            "DepthsTrack": "Down", "BossTrack": "Fight", "FadeSeconds": "1"}}, "AutoCreate": ""})");
    }
    ~GameMusicTest() override { ClearTree(); }

    void Dive(float depth) { sub->Pos2d()->Pos = {75.0f, -depth}; }
    void Announce(Event<BossEventArgs>& event, GameObject* boss) {
        BossEventArgs args{boss};
        event.Raise(&args);
    }

    TestFolder folder;
    AudioSystem audio{AudioSystem::Device::Silent};
    MusicManager catalogue{WriteTracks(folder)};
    MusicPlayer player{audio, catalogue};
    Service<MusicPlayer>::Scoped playerScope{player};
    Events events;
    Service<Events>::Scoped eventsScope{events};
    WorldMakerBhv* maker = nullptr;
    GameObject* sub = nullptr;
    SubBhv* subBhv = nullptr;
};

TEST_F(GameMusicTest, TheTrackFollowsTheDepthAndTheBossWhileItLives) {
    WellKnown<WorldMakerBhv>::Override maker_(maker);
    WellKnown<SubBhv>::Override sub_(subBhv);
    Dive(15.0f);
    auto* music = new GameObject("Music");
    root.AppendChild(music);
    auto* behaviour = music->GetComponentOfType<GameMusicBhv>();
    ASSERT_NE(behaviour, nullptr);
    EXPECT_EQ(player.CurrentTrack(), "Up") << "the surface track starts with the scene";

    Dive(210.0f);
    RunFrame();
    EXPECT_EQ(player.CurrentTrack(), "Down");
    Dive(204.0f); // hovering just above the chamber's top keeps the depths
    RunFrame();
    EXPECT_EQ(player.CurrentTrack(), "Down");

    GameObject boss;
    Dive(215.0f);
    Announce(events.Boss->BossAppeared, &boss);
    RunFrame();
    EXPECT_EQ(player.CurrentTrack(), "Fight");
    Announce(events.Boss->BossRemoved, &boss); // the player left the chamber
    RunFrame();
    EXPECT_EQ(player.CurrentTrack(), "Down");

    Announce(events.Boss->BossAppeared, &boss);
    RunFrame();
    EXPECT_EQ(player.CurrentTrack(), "Fight");
    GameObject stranger;
    Announce(events.Boss->BossDefeated, &stranger);
    RunFrame();
    EXPECT_EQ(player.CurrentTrack(), "Fight") << "only the boss's own defeat ends the fight";
    Announce(events.Boss->BossDefeated, &boss);
    RunFrame();
    EXPECT_EQ(player.CurrentTrack(), "Down");

    // A new world takes its boss without a word: the fight's music must not outlive it.
    Announce(events.Boss->BossAppeared, &boss);
    RunFrame();
    events.Game->WorldGenerated.Raise();
    Dive(15.0f);
    RunFrame();
    EXPECT_EQ(player.CurrentTrack(), "Up");
    EXPECT_EQ(behaviour->CurrentMood(), Mood::Surface);

    // Gone with its object: a later boss event reaches nothing.
    music->DestroyLater();
    RunFrame();
    Announce(events.Boss->BossAppeared, &boss);
    EXPECT_EQ(events.Boss->BossAppeared.SubscriberCount(), 0u);
}

} // namespace
