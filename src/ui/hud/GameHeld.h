#pragma once

#include "core/GameObject.h"
#include "core/WellKnown.h"
#include "player/sub/GameplayScreenBhv.h"

// Whether a menu, message box or the editor holds the game (the gameplay screen is not updating).
// The HUD is then updated by the menus, and what counts time "in play" must not count it.
inline bool IsGameHeld() {
    const GameplayScreenBhv* screen = WellKnown<GameplayScreenBhv>::Get();
    return screen && screen->Owner && !screen->Owner->UpdateEnabled;
}
