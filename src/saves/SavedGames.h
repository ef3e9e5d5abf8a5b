#pragma once

#include <string>

// Writes the running game to the slot's file ("SavedGame3" is SavedGame3.sav in the save folder).
void saveGame(const std::string& slotName);

// Rebuilds the running game from the slot's file; a slot never saved changes nothing.
void loadGame(const std::string& slotName);
