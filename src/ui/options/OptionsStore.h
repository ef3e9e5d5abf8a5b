#pragma once

// The player's choices the options menu shows and changes, as the menu sees them.
struct OptionValues {
    float MasterVolume = 1.0f; // 0..1
    float MusicVolume = 1.0f;
    float EffectsVolume = 1.0f;
    bool Fullscreen = false;
    // Not on the menu: the first start's hint, once shown out, never comes back.
    bool FirstRunHintDismissed = false;

    bool operator==(const OptionValues&) const = default;
};

// Where the options menu reads and writes those choices: the application's keeper of the player's
// settings, which applies a change at once and saves it (Service<OptionsStore>). Without one the
// menu still shows and moves, and changes nothing.
class OptionsStore {
public:
    virtual ~OptionsStore() = default;
    virtual OptionValues Options() const = 0;
    virtual void SetOptions(const OptionValues& values) = 0;
};
