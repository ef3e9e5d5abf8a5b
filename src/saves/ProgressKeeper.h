#pragma once

#include <cstdint>
#include <vector>

struct SavedGame;

// Whoever keeps track of progress not yet in any slot file (the autosave's keeper, above the saved
// games): reached as WellKnown<ProgressKeeper>. Told when a slot was written or read; without one,
// saving and loading work as ever.
class ProgressKeeper {
public:
    virtual ~ProgressKeeper() = default;
    // `game` is now in a slot file: progress is measured from it.
    virtual void GameSaved(const SavedGame& game) = 0;
    // A slot's game took the running game's place; progress is measured from it once it stands.
    virtual void GameLoaded() = 0;
};

// What of a game counts as progress a player would miss: the dug and placed tiles, the unlocks, the
// hull, money, storage, quick slots, owned submarines, the boss and the items. Not where the
// submarine or anything else happens to be: moving about is no progress.
std::vector<uint8_t> ProgressOf(const SavedGame& game);
