#pragma once

#include <map>
#include <memory>
#include <string>

#include "audio/SoundBank.h"
#include "platform/AudioSystem.h"

class AudioSound;

// Owns the audio device and the loaded sound banks. Game code plays sounds through cues; only the
// cue behaviours look sounds up here.
class SoundManager {
public:
    // `soundsFolder` holds one folder per bank. A silent device is used when asked for (headless
    // runs) or when no output can be opened.
    explicit SoundManager(AudioSystem::Device device = AudioSystem::Device::Default,
                          std::string soundsFolder = "Content/Sounds");
    ~SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // Loads every regular file of <soundsFolder>/<bankName> as a sound named by its stem. A bank
    // already loaded is left as it is. A file that cannot be decoded is left out with one warning
    // line on stderr. Throws `ContentError` naming the folder when it does not exist.
    void loadBank(const std::string& bankName);
    // Stops and frees every sound of the bank; an unknown bank does nothing.
    void unloadBank(const std::string& bankName);
    // The sound stored under exactly this name in the first bank, by ascending bank name, that has
    // one; null when none has.
    AudioSound* findSound(const std::string& soundName) const;

    bool IsBankLoaded(const std::string& bankName) const { return banks_.count(bankName) != 0; }

    // Once per frame, before the input pass: frees channels whose sound ended. `elapsedSeconds` is
    // the frame's delta, which times sounds on the silent device.
    void Update(float elapsedSeconds);

    AudioSystem& System() { return *system_; }

private:
    std::string soundsFolder_;
    std::unique_ptr<AudioSystem> system_;
    std::map<std::string, SoundBank> banks_; // ordered by name: the search order of findSound
};
