#pragma once

#include <string>

// Writes the running game to the slot's file ("SavedGame3" is SavedGame3.sav in the save folder, the
// autosave is Autosave.sav),
// whole or not at all: a failed save, or one the loader would refuse, keeps the old file and says
// so on the HUD and stderr.
void saveGame(const std::string& slotName);

// Rebuilds the running game from the slot's file; a slot never saved changes nothing. The whole
// file is read and checked first: a damaged or foreign file changes nothing and is reported on the
// HUD and stderr.
void loadGame(const std::string& slotName);

// The text of slot k's line (1-based) in the load and save menus: "3  $1,250  212 m  7 Dec 14:02"
// (money, the submarine's depth in metres, one metre per world unit below the surface, rounded,
// and the file's local modification time), "3  Empty" for a slot never saved, "3  Damaged" for a
// file that would not load.
std::string slotLineText(int slot);
// The autosave's line in the load menu: "Autosave  $1,250  212 m  7 Dec 14:02", "Autosave  Empty" or
// "Autosave  Damaged".
std::string autosaveLineText();
