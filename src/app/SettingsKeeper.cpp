#include "app/SettingsKeeper.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <system_error>
#include <utility>

#include "audio/MusicPlayer.h"
#include "platform/AudioSystem.h"
#include "platform/Window.h"

SettingsKeeper::SettingsKeeper(std::filesystem::path path, Window& window, AudioSystem& audio,
                               MusicPlayer& music, Run run)
    : path_(std::move(path)), window_(window), audio_(audio), music_(music), run_(run) {
    std::error_code error;
    if (run == Run::Headless && !std::filesystem::exists(path_, error)) {
        Apply();
        return;
    }
    bool whole = false;
    current_ = LoadSettings(path_, &whole);
    unwritten_ = !whole && run == Run::Player;
    // The load has said what is wrong with the file (a folder in its place, say): a write that then
    // fails for the same reason needs no second line.
    failureReported_ = !whole;
    Apply();
}

SettingsKeeper::~SettingsKeeper() {
    if (unwritten_) {
        Save();
    }
}

void SettingsKeeper::Save() {
    std::string fault;
    if (SaveSettings(current_, path_, &fault)) {
        failureReported_ = false;
    } else if (!failureReported_) {
        // A folder that cannot be written stays so: one line for the run, not one per change.
        std::fprintf(stderr, "kelvane: %s: settings not saved (%s)\n", path_.c_str(), fault.c_str());
        failureReported_ = true;
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

OptionValues SettingsKeeper::Options() const {
    // Nobody reads a hint in a headless run, and it must not write the file for one.
    return {current_.MasterVolume, current_.MusicVolume, current_.EffectsVolume, current_.Fullscreen,
            current_.FirstRunHintDismissed || run_ == Run::Headless};
}

void SettingsKeeper::SetOptions(const OptionValues& values) {
    Settings changed = current_;
    changed.MasterVolume = std::clamp(values.MasterVolume, 0.0f, 1.0f);
    changed.MusicVolume = std::clamp(values.MusicVolume, 0.0f, 1.0f);
    changed.EffectsVolume = std::clamp(values.EffectsVolume, 0.0f, 1.0f);
    changed.Fullscreen = values.Fullscreen;
    changed.FirstRunHintDismissed =
        values.FirstRunHintDismissed && (run_ == Run::Player || current_.FirstRunHintDismissed);
    Change(changed);
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
    // A failed write is not retried every frame; the next change tries again.
    Save();
    unwritten_ = false;
}

void SettingsKeeper::Apply() {
    window_.SetClientSize(current_.WindowWidth, current_.WindowHeight);
    window_.SetFullscreen(current_.Fullscreen);
    audio_.SetVolumes(current_.MasterVolume, current_.EffectsVolume);
    music_.SetVolume(current_.MusicVolume);
}
