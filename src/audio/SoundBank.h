#pragma once

#include <map>
#include <string>

class AudioSound;

// The sounds of one folder under "Content/Sounds", by file stem (letter case as on disk). The sounds
// belong to the audio system; `SoundManager` releases them when the bank is unloaded.
struct SoundBank {
    std::map<std::string, AudioSound*> Sounds;
};
