#pragma once

#include <filesystem>

#include "app/Settings.h"

class AudioSystem;
class MusicPlayer;
class Window;

// Holds the player's settings while the game runs with a window: applies them at start, notices
// what the player changes (Alt+Enter, resizing the window) and writes the file once a change has
// settled. A missing or damaged file is written afresh the same way, so its warning comes once. One
// process-wide instance (Service<SettingsKeeper>); an options screen changes the rest through Change.
class SettingsKeeper {
public:
    // Reads the file (see LoadSettings) and applies it to the window and the sound.
    SettingsKeeper(std::filesystem::path path, Window& window, AudioSystem& audio, MusicPlayer& music);
    // Writes what is still unwritten.
    ~SettingsKeeper();
    SettingsKeeper(const SettingsKeeper&) = delete;
    SettingsKeeper& operator=(const SettingsKeeper&) = delete;

    const Settings& Current() const { return current_; }
    // Applies new settings now; the file follows once they settle.
    void Change(const Settings& settings);

    // Once per frame, after the window's events: takes in the window's fullscreen state and size.
    void Frame();

    // Frames a change waits unchanged before it is written: a window being dragged to a new size
    // changes every frame, and only where it ends matters.
    static constexpr int SettleFrames = 30;

private:
    void Apply();

    std::filesystem::path path_;
    Window& window_;
    AudioSystem& audio_;
    MusicPlayer& music_;
    Settings current_;
    bool unwritten_ = false; // the file does not hold current_
    int unchangedFrames_ = 0;
};
