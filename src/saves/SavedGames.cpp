#include "saves/SavedGames.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "core/Service.h"
#include "core/WellKnown.h"
#include "player/HudMessage.h"
#include "saves/GameSnapshot.h"
#include "saves/ProgressKeeper.h"
#include "saves/SaveFormat.h"
#include "saves/SlotFiles.h"
#include "saves/SlotReadListener.h"

void saveGame(const std::string& slotName) {
    std::string fault;
    SavedGame game;
    bool ok = IsSlotName(slotName);
    if (!ok) {
        fault = "not a slot name";
    } else if (CaptureGame(game, fault) && CheckSavedGameLimits(game, fault)) {
        // Within the limits the reader holds files to, so every save written can be loaded.
        const std::vector<uint8_t> bytes = EncodeSavedGame(game);
        // A file the loader would refuse is no save (a non-finite position, an overlong name, a
        // negative quantity): it fails here and the slot keeps its old one.
        SavedGame readBack;
        ok = DecodeSavedGame(bytes, readBack, fault) && ReplaceFile(SlotPath(slotName), bytes, fault);
    } else {
        ok = false;
    }
    if (ok) {
        if (ProgressKeeper* keeper = WellKnown<ProgressKeeper>::Get()) {
            keeper->GameSaved(game);
        }
        // "SavedGame3" was written: the player sees "Saved to slot 3".
        showHudMessage(slotName == AutosaveSlot
                           ? std::string("Autosaved")
                           : "Saved to slot " + slotName.substr(std::string_view("SavedGame").size()));
        return;
    }
    const std::string file = IsSlotName(slotName) ? SlotPath(slotName).string() : slotName;
    std::fprintf(stderr, "kelvane: could not save \"%s\": %s; the slot keeps its old save\n", file.c_str(),
                 fault.c_str());
    showHudMessage("Save failed");
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
    if (SlotReadListener* listener = Service<SlotReadListener>::TryGet()) {
        listener->SlotAboutToLoad(slotName);
    }
    const ReadStatus status = ReadWholeFile(path, saveformat::MaxFileSize, bytes, fault);
    if (SlotReadListener* listener = Service<SlotReadListener>::TryGet();
        listener && status != ReadStatus::Failed) {
        const std::span<const uint8_t> read(bytes);
        listener->SlotRead(slotName, status == ReadStatus::Read ? &read : nullptr);
    }
    switch (status) {
    case ReadStatus::Missing:
        return; // a slot never saved
    case ReadStatus::Read:
        if (DecodeSavedGame(bytes, game, fault) && CheckFitsGame(game, fault)) {
            ApplySavedGame(game);
            if (ProgressKeeper* keeper = WellKnown<ProgressKeeper>::Get()) {
                keeper->GameLoaded();
            }
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
