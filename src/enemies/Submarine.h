#pragma once

#include "core/Vector2.h"

class GameObject;

// The player's submarine as the creatures see it: its object, or null while there is none.
GameObject* SubmarineObject();
// Its world position in `position`; false (and nothing written) without a submarine.
bool SubmarinePosition(Vector2& position);
