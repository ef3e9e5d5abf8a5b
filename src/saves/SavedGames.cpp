#include "saves/SavedGames.h"

// NOTE: the slot files arrive with the saved-game format; until then the menus' slot lines do nothing.
void saveGame(const std::string&) {
}

void loadGame(const std::string&) {
}
