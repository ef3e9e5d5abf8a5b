#pragma once

#include <set>
#include <string>

#include "core/Behavior.h"

class GameObject;

// Keeps the music in step with the game: the surface track above the boss chamber, the depths
// track from the chamber down, and the boss fight's own while a boss lives. The tracks are named by
// the prefab; an empty name plays nothing there (the music fades out).
class GameMusicBhv : public Behavior {
public:
    static constexpr const char* ClassName = "GameMusicBhv";

    enum class Mood { Surface, Depths, Boss };

    GameMusicBhv();
    ~GameMusicBhv() override;

    // Listens for bosses coming and going and starts the track of where the submarine is.
    void Start() override;
    void Update() override;

    // The mood for the submarine at this depth (rows below the surface), given the mood it has now:
    // the depths begin at the chamber's top row, and a submarine has to rise two rows above it to
    // bring the surface back, so hovering at the line never flips the music to and fro.
    static Mood Choose(Mood current, float depth, int chamberTopRow, bool bossAlive);

    Mood CurrentMood() const { return mood_; }
    bool BossAlive() const { return !bosses_.empty(); }

    std::string SurfaceTrack;
    std::string DepthsTrack;
    std::string BossTrack;
    float FadeSeconds = 1.0f;

    // Rows above the chamber's top a submarine must rise before the surface track returns.
    static constexpr float SurfaceReturnRows = 2.0f;

private:
    // The mood for this frame: the boss's while one lives, else by the submarine's depth; without
    // a submarine or a made world the depth mood stays as it is.
    Mood Next() const;
    void PlayMood();
    const std::string& TrackOf(Mood mood) const;

    Mood mood_ = Mood::Surface;
    std::set<const GameObject*> bosses_; // bosses that appeared and have neither died nor left
};
