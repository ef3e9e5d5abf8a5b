#pragma once

#include "input/Key.h"

// Keys with a character index the two typed-character tables (one without, one with Shift).
inline constexpr int CharacterKeyCount = 97;

// The character a fired key types, '\0' for none. Keys at or above CharacterKeyCount type nothing;
// Caps Lock is not taken into account.
char KeyCharacter(Key key, bool shifted);
