#include "audio/SoundManager.h"

#include "core/ContentError.h"
#include "core/ContentFolder.h"
#include "platform/AudioSound.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <vector>

namespace fs = std::filesystem;

SoundManager::SoundManager(AudioSystem::Device device, std::string soundsFolder)
    : soundsFolder_(std::move(soundsFolder)), system_(std::make_unique<AudioSystem>(device)) {}

SoundManager::~SoundManager() {
    while (!banks_.empty()) {
        unloadBank(banks_.begin()->first);
    }
}

void SoundManager::loadBank(const std::string& bankName) {
    if (banks_.count(bankName)) {
        return;
    }
    const fs::path folder = fs::path(soundsFolder_) / bankName;
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        throw ContentError(folder.string(), "sound bank folder not found");
    }
    // Sorted, so that of two files with the same stem the same one wins on every machine.
    std::vector<std::string> skipped;
    std::vector<fs::path> files = ListContentFiles(folder, &skipped);
    std::sort(files.begin(), files.end());
    for (const std::string& problem : skipped) {
        std::cerr << "kelvane: warning: " << EscapeControls(problem) << ", skipped\n";
    }

    SoundBank& bank = banks_[bankName];
    for (const fs::path& file : files) {
        std::string reason;
        AudioSound* sound = system_->CreateSound(file.string(), &reason);
        if (!sound) {
            std::cerr << "kelvane: warning: " << EscapeControls(file.string()) << ": cannot be decoded ("
                      << EscapeControls(reason) << "), skipped\n";
            continue;
        }
        AudioSound*& slot = bank.Sounds[file.stem().string()];
        system_->ReleaseSound(slot);
        slot = sound;
    }
}

void SoundManager::unloadBank(const std::string& bankName) {
    auto it = banks_.find(bankName);
    if (it == banks_.end()) {
        return;
    }
    for (auto& [name, sound] : it->second.Sounds) {
        system_->ReleaseSound(sound);
    }
    banks_.erase(it);
}

AudioSound* SoundManager::findSound(const std::string& soundName) const {
    for (const auto& [bankName, bank] : banks_) {
        auto it = bank.Sounds.find(soundName);
        if (it != bank.Sounds.end()) {
            return it->second;
        }
    }
    return nullptr;
}

void SoundManager::Update(float elapsedSeconds) {
    system_->Update(elapsedSeconds);
}
