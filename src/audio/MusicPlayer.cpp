#include "audio/MusicPlayer.h"

#include <algorithm>
#include <cstdio>

#include "audio/MusicManager.h"
#include "platform/MusicStream.h"

namespace {

// A fade of no length is a cut: one frame's change takes it all the way.
float RateFor(float fadeSeconds) {
    return fadeSeconds > 0.0f ? 1.0f / fadeSeconds : 1.0e9f;
}

} // namespace

MusicPlayer::MusicPlayer(AudioSystem& system, const MusicManager& catalogue)
    : system_(system), catalogue_(catalogue) {}

MusicPlayer::~MusicPlayer() = default;

void MusicPlayer::Play(const std::string& trackName, float fadeSeconds) {
    if (current_ && currentName_ == trackName) {
        return;
    }
    const MusicMetadata* track = catalogue_.FindTrack(trackName);
    if (!track) {
        std::fprintf(stderr, "kelvane: music: no track named \"%s\"\n", trackName.c_str());
        return;
    }
    std::string error;
    std::unique_ptr<MusicStream> stream =
        MusicStream::Open(system_, track->Path, track->LoopStartSample, track->LoopEndSample, &error);
    if (!stream) {
        std::fprintf(stderr, "kelvane: %s: %s\n", track->Path.c_str(), error.c_str());
        return;
    }
    Stop(fadeSeconds);
    current_ = std::make_unique<Voice>();
    current_->Stream = std::move(stream);
    current_->Rate = RateFor(fadeSeconds);
    current_->Level = fadeSeconds > 0.0f ? 0.0f : 1.0f; // a cut is heard from its first frame
    currentName_ = trackName;
    Apply(*current_);
    current_->Stream->Play();
}

void MusicPlayer::Stop(float fadeSeconds) {
    if (!current_) {
        return;
    }
    current_->Rate = -RateFor(fadeSeconds);
    if (fadeSeconds > 0.0f) {
        fading_.push_back(std::move(current_));
    }
    current_.reset();
    currentName_.clear();
}

void MusicPlayer::SetVolume(float volume) {
    volume_ = std::clamp(volume, 0.0f, 1.0f);
    if (current_) {
        Apply(*current_);
    }
    for (auto& voice : fading_) {
        Apply(*voice);
    }
}

void MusicPlayer::Update(float elapsedSeconds) {
    auto advance = [&](Voice& voice) {
        voice.Level = std::clamp(voice.Level + voice.Rate * elapsedSeconds, 0.0f, 1.0f);
        Apply(voice);
        voice.Stream->Update();
    };
    if (current_) {
        advance(*current_);
    }
    for (auto& voice : fading_) {
        advance(*voice);
    }
    std::erase_if(fading_, [](const std::unique_ptr<Voice>& voice) { return voice->Level <= 0.0f; });
}

void MusicPlayer::Apply(Voice& voice) const {
    voice.Stream->SetGain(voice.Level * volume_);
}
