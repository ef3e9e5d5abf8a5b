#include "saves/SlotFiles.h"

#include <utility>

#include "core/Service.h"
#include "platform/SaveFolder.h"

std::filesystem::path SlotFolder() {
    const SlotFolderOverride* folderOverride = Service<SlotFolderOverride>::TryGet();
    return folderOverride && !folderOverride->Folder.empty() ? folderOverride->Folder : GetSaveFolder();
}

bool IsSlotName(const std::string& slotName) {
    static const std::string prefix = "SavedGame";
    if (slotName == AutosaveSlot) {
        return true;
    }
    if (slotName.size() <= prefix.size() || slotName.size() > prefix.size() + 9 ||
        slotName.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    for (size_t i = prefix.size(); i < slotName.size(); ++i) {
        if (slotName[i] < '0' || slotName[i] > '9') {
            return false;
        }
    }
    return true;
}

std::filesystem::path SlotPath(const std::string& slotName) {
    return SlotFolder() / (slotName + ".sav");
}

bool ReplaceFile(const std::filesystem::path& file, std::span<const uint8_t> bytes, std::string& fault,
                 const SlotFileCalls& calls) {
    return WriteFileAtomically(file, bytes, fault, AtomicFileOptions{.KeepBackup = true}, calls);
}
