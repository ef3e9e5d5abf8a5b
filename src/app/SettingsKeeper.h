#pragma once

#include <filesystem>

#include "app/Settings.h"
#include "ui/options/OptionsStore.h"

class AudioSystem;
class MusicPlayer;
class Window;

// Holds the player's settings while the game runs with a window: applies them at start, notices
// what the player changes (Alt+Enter, resizing the window) and writes the file once a change has
// settled. A missing or damaged file is written afresh the same way, so its warning comes once. One
// process-wide instance (Service<SettingsKeeper>, and Service<OptionsStore> for the options menu,
// which changes the rest through Change).
//
// A headless run (tests, tools) has nobody at the window: it reads the file without a word when
// there is none, and writes it only for a change the options menu made.
class SettingsKeeper final : public OptionsStore {
public:
    enum class Run { Player, Headless };

    // Reads the file (see LoadSettings) and applies it to the window and the sound.
    SettingsKeeper(std::filesystem::path path, Window& window, AudioSystem& audio, MusicPlayer& music,
                   Run run = Run::Player);
    // Writes what is still unwritten.
    ~SettingsKeeper() override;
    SettingsKeeper(const SettingsKeeper&) = delete;
    SettingsKeeper& operator=(const SettingsKeeper&) = delete;

    const Settings& Current() const { return current_; }
    // Applies new settings now; the file follows once they settle.
    void Change(const Settings& settings);

    // The options menu's view: the volumes and the fullscreen choice, the window size kept as it is.
    OptionValues Options() const override;
    void SetOptions(const OptionValues& values) override;

    // Once per frame, after the window's events: takes in the window's fullscreen state and size.
    void Frame();

    // Frames a change waits unchanged before it is written: a window being dragged to a new size
    // changes every frame, and only where it ends matters.
    static constexpr int SettleFrames = 30;

private:
    void Apply();
    // Writes the file; the first failure of a run is reported, later ones only after a success.
    void Save();

    std::filesystem::path path_;
    Window& window_;
    AudioSystem& audio_;
    MusicPlayer& music_;
    Run run_;
    Settings current_;
    bool unwritten_ = false; // the file does not hold current_
    int unchangedFrames_ = 0;
    bool failureReported_ = false;
};
