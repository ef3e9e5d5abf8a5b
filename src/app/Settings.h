#pragma once

#include <filesystem>
#include <string>

// The player's own choices, kept between runs: how the window shows and how loud things are.
struct Settings {
    bool Fullscreen = false;
    int WindowWidth = 1280; // client size when not fullscreen
    int WindowHeight = 720;
    float MasterVolume = 1.0f; // 0..1, over everything heard
    float MusicVolume = 1.0f;
    float EffectsVolume = 1.0f;
    bool FirstRunHintDismissed = false; // the first start's hint has been shown out

    bool operator==(const Settings&) const = default;

    // Window sizes outside these are not a size anybody chose.
    static constexpr int MinWindowWidth = 320;
    static constexpr int MinWindowHeight = 180;
    static constexpr int MaxWindowSide = 16384;
};

// $XDG_CONFIG_HOME/Kelvane/settings.json, or $HOME/.config/Kelvane/settings.json when XDG_CONFIG_HOME
// is unset, empty or relative.
std::filesystem::path GetSettingsPath();

// Reads the settings file. A missing file, one that is not a JSON object, or a value of the wrong kind
// or out of range gives the defaults for what it cannot give, and one warning line on stderr naming
// the file. Keys it does not know are ignored; keys it lacks keep their defaults. `whole`, when given,
// tells whether the file gave everything it held without a problem.
Settings LoadSettings(const std::filesystem::path& path, bool* whole = nullptr);

// Writes the settings file, creating its folder, atomically: into a temporary file beside it that is
// then renamed over it, so the file is always the old one or the new one, whole. On failure (a
// read-only folder, a full disk) one warning line on stderr and false; the game goes on. With fault
// given, nothing is printed and fault says what failed.
bool SaveSettings(const Settings& settings, const std::filesystem::path& path, std::string* fault = nullptr);

// Writes one of the player's configuration files the same way, whole or not at all. On failure one
// warning line on stderr ("<path>: <what> not saved (why)") and false; with fault given, nothing is
// printed and fault says what failed.
bool SaveConfigFile(const std::string& text, const std::filesystem::path& path, const char* what,
                    std::string* fault = nullptr);
