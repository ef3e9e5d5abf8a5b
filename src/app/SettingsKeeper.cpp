#include "app/SettingsKeeper.h"

#include <utility>

#include "audio/MusicPlayer.h"
#include "platform/AudioSystem.h"
#include "platform/Window.h"

SettingsKeeper::SettingsKeeper(std::filesystem::path path, Window& window, AudioSystem& audio,
                               MusicPlayer& music)
    : path_(std::move(path)), window_(window), audio_(audio), music_(music) {
    bool whole = false;
    current_ = LoadSettings(path_, &whole);
    unwritten_ = !whole;
    Apply();
}

SettingsKeeper::~SettingsKeeper() {
    if (unwritten_) {
        SaveSettings(current_, path_);
    }
}

void SettingsKeeper::Change(const Settings& settings) {
    if (settings == current_) {
        return;
    }
    current_ = settings;
    unwritten_ = true;
    unchangedFrames_ = 0;
    Apply();
}

void SettingsKeeper::Frame() {
    Settings seen = current_;
    seen.Fullscreen = window_.IsFullscreen();
    window_.ClientSize(seen.WindowWidth, seen.WindowHeight);
    if (!(seen == current_)) {
        current_ = seen;
        unwritten_ = true;
        unchangedFrames_ = 0;
        return;
    }
    if (!unwritten_ || ++unchangedFrames_ < SettleFrames) {
        return;
    }
    // A failed write is reported once and not retried every frame; the next change tries again.
    SaveSettings(current_, path_);
    unwritten_ = false;
}

void SettingsKeeper::Apply() {
    window_.SetClientSize(current_.WindowWidth, current_.WindowHeight);
    window_.SetFullscreen(current_.Fullscreen);
    audio_.SetVolumes(current_.MasterVolume, current_.EffectsVolume);
    music_.SetVolume(current_.MusicVolume);
}
