#pragma once

#include <string>

struct SavedGame;

// Between the running game and a SavedGame: what a save collects and what a load rebuilds.

// Collects the running game: the tile grid, the things of the thing grid (dropped items under
// their item's name and quantity; supply stations and boss gates are the world's own), the
// for-sale catalogue's unlock progress, the submarine and the inventory with its items. False,
// with fault, when there is no game (no tile grid or inventory).
bool CaptureGame(SavedGame& game, std::string& fault);

// What a decoded file cannot be checked for alone: that the running game can take it (a tile
// grid and an inventory to fill). False, with fault, when it cannot.
bool CheckFitsGame(const SavedGame& game, std::string& fault);

// Rebuilds the running game from a checked saved game: grid (scenery marked dirty), things
// re-created, unlocks, inventory cleared and refilled, the submarine moved keeping its angle,
// fresh boss gates with the saved boss state, the reward marked as had when the game shows it had
// it, then WorldLoaded. A thing or item whose prefab is gone (or is no thing or item) is skipped
// with one warning per name; cells whose tile code has no tile type become water with one warning;
// a boss fight's boss and shots are not brought back (the world events start the fight afresh).
void ApplySavedGame(const SavedGame& game);
