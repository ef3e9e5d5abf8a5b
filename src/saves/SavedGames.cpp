#include "saves/SavedGames.h"

#include <cstdio>
#include <vector>

#include "player/HudMessage.h"
#include "saves/GameSnapshot.h"
#include "saves/SaveFormat.h"
#include "saves/SlotFiles.h"

void saveGame(const std::string& slotName) {
    std::string fault;
    SavedGame game;
    bool ok = IsSlotName(slotName);
    if (!ok) {
        fault = "not a slot name";
    } else if (CaptureGame(game, fault) && CheckSavedGameLimits(game, fault)) {
        // Within the limits the reader holds files to, so every save written can be loaded.
        const std::vector<uint8_t> bytes = EncodeSavedGame(game);
        ok = ReplaceFile(SlotPath(slotName), bytes, fault);
    } else {
        ok = false;
    }
    if (!ok) {
        const std::string file = IsSlotName(slotName) ? SlotPath(slotName).string() : slotName;
        std::fprintf(stderr, "kelvane: could not save \"%s\": %s; the slot keeps its old save\n",
                     file.c_str(), fault.c_str());
        showHudMessage("Save failed");
    }
}

void loadGame(const std::string& slotName) {
    if (!IsSlotName(slotName)) {
        std::fprintf(stderr, "kelvane: \"%s\" is not a slot name; nothing loaded\n", slotName.c_str());
        return;
    }
    const std::filesystem::path path = SlotPath(slotName);
    std::vector<uint8_t> bytes;
    std::string fault;
    SavedGame game;
    switch (ReadWholeFile(path, saveformat::MaxFileSize, bytes, fault)) {
    case ReadStatus::Missing:
        return; // a slot never saved
    case ReadStatus::Read:
        if (DecodeSavedGame(bytes, game, fault) && CheckFitsGame(game, fault)) {
            ApplySavedGame(game);
            return;
        }
        break;
    case ReadStatus::Failed:
        break;
    }
    std::fprintf(stderr, "kelvane: could not load \"%s\": %s; the game is unchanged\n", path.c_str(),
                 fault.c_str());
    showHudMessage("Load failed");
}
