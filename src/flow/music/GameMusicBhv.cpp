#include "flow/music/GameMusicBhv.h"

#include "audio/MusicPlayer.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "enemies/Submarine.h"
#include "events/BossEvents.h"
#include "events/Events.h"
#include "events/GameEvents.h"
#include "world/generation/WorldMakerBhv.h"

GameMusicBhv::GameMusicBhv() {
    RegisterProperty("SurfaceTrack", &SurfaceTrack);
    RegisterProperty("DepthsTrack", &DepthsTrack);
    RegisterProperty("BossTrack", &BossTrack);
    RegisterProperty("FadeSeconds", &FadeSeconds);
}

GameMusicBhv::~GameMusicBhv() {
    if (Events* events = Service<Events>::TryGet()) {
        events->Boss->BossAppeared.Unsubscribe(this);
        events->Boss->BossDefeated.Unsubscribe(this);
        events->Boss->BossRemoved.Unsubscribe(this);
        events->Game->WorldGenerated.Unsubscribe(this);
        events->Game->WorldLoaded.Unsubscribe(this);
    }
}

void GameMusicBhv::Start() {
    if (Events* events = Service<Events>::TryGet()) {
        events->Boss->BossAppeared.Subscribe(this, [this](BossEventArgs* args) {
            if (args && args->Boss) {
                bosses_.insert(args->Boss);
            }
        });
        auto gone = [this](BossEventArgs* args) {
            if (args) {
                bosses_.erase(args->Boss);
            }
        };
        events->Boss->BossDefeated.Subscribe(this, gone);
        events->Boss->BossRemoved.Subscribe(this, gone);
        // A new or loaded world takes its things, the boss among them, without a word.
        events->Game->WorldGenerated.Subscribe(this, [this](void*) { bosses_.clear(); });
        events->Game->WorldLoaded.Subscribe(this, [this](void*) { bosses_.clear(); });
    }
    mood_ = Mood::Surface;
    mood_ = Next();
    PlayMood();
}

void GameMusicBhv::Update() {
    const Mood next = Next();
    if (next != mood_) {
        mood_ = next;
        PlayMood();
    }
}

GameMusicBhv::Mood GameMusicBhv::Choose(Mood current, float depth, int chamberTopRow, bool bossAlive) {
    if (bossAlive) {
        return Mood::Boss;
    }
    const float top = static_cast<float>(chamberTopRow);
    if (depth >= top) {
        return Mood::Depths;
    }
    if (current != Mood::Surface && depth > top - SurfaceReturnRows) {
        return Mood::Depths;
    }
    return Mood::Surface;
}

GameMusicBhv::Mood GameMusicBhv::Next() const {
    if (BossAlive()) {
        return Mood::Boss;
    }
    // Before a world is made there is no chamber to measure by.
    const WorldMakerBhv* maker = WellKnown<WorldMakerBhv>::Get();
    Vector2 sub;
    if (!maker || maker->B01BossStart <= 0 || !SubmarinePosition(sub)) {
        return mood_ == Mood::Boss ? Mood::Surface : mood_;
    }
    return Choose(mood_, -sub.y, maker->B01BossStart, false);
}

void GameMusicBhv::PlayMood() {
    MusicPlayer* music = Service<MusicPlayer>::TryGet();
    if (!music) {
        return;
    }
    if (TrackOf(mood_).empty()) {
        music->Stop(FadeSeconds);
    } else {
        music->Play(TrackOf(mood_), FadeSeconds);
    }
}

const std::string& GameMusicBhv::TrackOf(Mood mood) const {
    switch (mood) {
    case Mood::Depths:
        return DepthsTrack;
    case Mood::Boss:
        return BossTrack;
    case Mood::Surface:
        break;
    }
    return SurfaceTrack;
}
