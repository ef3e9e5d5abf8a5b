#include "saves/ProgressKeeper.h"

#include "saves/SaveFormat.h"

std::vector<uint8_t> ProgressOf(const SavedGame& game) {
    SavedGame progress = game;
    progress.Groups.clear();
    progress.SubX = 0.0f;
    progress.SubY = 0.0f;
    progress.MovementForce = 0.0f;
    return EncodeSavedGame(progress);
}
