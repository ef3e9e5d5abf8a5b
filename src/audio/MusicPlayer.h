#pragma once

#include <memory>
#include <string>
#include <vector>

class AudioSystem;
class MusicManager;
class MusicStream;

// Plays the catalogue's tracks, one at a time, streamed and looping between their loop points; a
// new track cross-fades with the one before. One process-wide instance (Service<MusicPlayer>),
// created after the catalogue and destroyed before the sound device.
//
// Which track plays is the game's choice, made where the game knows it: GameMusicBhv plays the
// surface theme, another below the boss chamber's depth, the boss fight's own while the boss lives.
class MusicPlayer {
public:
    static constexpr float DefaultFadeSeconds = 1.0f;

    MusicPlayer(AudioSystem& system, const MusicManager& catalogue);
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // Fades the track in over fadeSeconds while whatever played fades out over the same time. The
    // track already playing is left alone. An unknown or unreadable track costs one warning line on
    // stderr and the music goes on as it was.
    void Play(const std::string& trackName, float fadeSeconds = DefaultFadeSeconds);
    // Fades the music out over fadeSeconds.
    void Stop(float fadeSeconds = DefaultFadeSeconds);
    // The music volume, 0..1, over every fade.
    void SetVolume(float volume);
    float Volume() const { return volume_; }

    // Once per frame: advances the fades by the frame's delta and keeps the streams fed.
    void Update(float elapsedSeconds);

    // The track playing or fading in; empty when none is.
    const std::string& CurrentTrack() const { return currentName_; }

private:
    struct Voice {
        std::unique_ptr<MusicStream> Stream;
        float Level = 0.0f; // fade position, 0..1
        float Rate = 0.0f;  // level change per second: positive fades in, negative out
    };

    void Apply(Voice& voice) const;

    AudioSystem& system_;
    const MusicManager& catalogue_;
    std::unique_ptr<Voice> current_;
    std::vector<std::unique_ptr<Voice>> fading_; // on their way out, removed when silent
    std::string currentName_;
    float volume_ = 1.0f;
};
