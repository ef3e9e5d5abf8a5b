#include "app/ReplayFiles.h"

#include <cstdio>
#include <vector>

#include "input/InputScriptError.h"
#include "input/InputScriptPlayer.h"
#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"
#include "platform/StateFolder.h"
#include "platform/WritableFolder.h"
#include "saves/SlotFiles.h"

namespace fs = std::filesystem;

namespace {

// What a copied settings file or prefab may weigh: far beyond any real one.
constexpr size_t MaxCopiedBytes = 4u << 20;

// Copies a readable regular file; anything else (missing, a folder, a pipe, too large) is left out.
void CopyIfRegular(const fs::path& from, const fs::path& to) {
    std::vector<uint8_t> bytes;
    std::string fault;
    if (ReadWholeFile(from, MaxCopiedBytes, bytes, fault) == ReadStatus::Read) {
        WriteFileAtomically(to, bytes, fault);
    }
}

} // namespace

fs::path PrepareReplayFiles(const std::string& replayPath) {
    const fs::path folder = GetStateFolder() / "replay-files";
    std::error_code error;
    fs::remove_all(folder, error);
    fs::create_directories(folder / "Prefabs", error);
    if (!IsWritableFolder(folder) || !IsWritableFolder(folder / "Prefabs")) {
        throw InputScriptError(
            replayPath, 0,
            "cannot make the folder for what it writes: " + folder.string() +
                (error ? " (" + error.message() + ")" : std::string(" is not a writable folder")));
    }
    return folder;
}

fs::path PlaceReplaySettings(const fs::path& playerSettings, const fs::path& folder) {
    const fs::path settings = folder / "settings.json";
    CopyIfRegular(playerSettings, settings);
    return settings;
}

fs::path PlaceReplayPrefabs(const fs::path& playerPrefabs, const fs::path& folder) {
    const fs::path prefabs = folder / "Prefabs";
    std::error_code error;
    if (!playerPrefabs.empty()) {
        for (fs::directory_iterator entry(playerPrefabs, error), end; !error && entry != end;
             entry.increment(error)) {
            if (entry->path().extension() == ".json") {
                CopyIfRegular(entry->path(), prefabs / entry->path().filename());
            }
        }
    }
    return prefabs;
}

std::string ReplayFilesLine(const fs::path& saves, const fs::path& files) {
    return "kelvane: the replay wrote nothing of the player's: its saved games are in " + saves.string() +
           ", its settings, keymap and prefabs in " + files.string() + ", and it built no atlases\n";
}

void ReplaySlots::Frame(int64_t frame) {
    for (const InputScriptFile& file : replay_.TakeDueFiles(frame)) {
        // Only slot names: a recording never writes outside the replay's slot folder.
        if (IsSlotName(file.Name)) {
            due_[file.Name] = &file;
        }
    }
}

void ReplaySlots::SlotAboutToLoad(const std::string& slotName) {
    const auto it = due_.find(slotName);
    if (it == due_.end()) {
        return;
    }
    const InputScriptFile& file = *it->second;
    due_.erase(it);
    std::string fault;
    if (!file.Bytes) {
        std::error_code error;
        fs::remove(SlotPath(file.Name), error);
    } else if (!ReplaceFile(SlotPath(file.Name), *file.Bytes, fault)) {
        std::fprintf(stderr, "kelvane: the replay cannot place %s: %s\n", SlotPath(file.Name).c_str(),
                     fault.c_str());
    }
}
