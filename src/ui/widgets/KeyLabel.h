#pragma once

#include <string>

#include "input/Action.h"
#include "input/Key.h"

class InputManager;

// How the screen names a key, mouse button or pad input: "Enter", "1", "Left Mouse", "A", "LB",
// "L Stick Down". Unnamed key numbers read "Key 123".
std::string KeyLabel(Key key);

// The first key bound to the action on the device the player used last (the pad's when
// PadLastUsed), else the first of the other device; "unbound" when it has none.
std::string ActionKeyLabel(const InputManager& input, Action action);

// The text with each "{ActionName}" replaced by ActionKeyLabel; braces naming no action stay.
std::string FillKeyHints(const std::string& text, const InputManager& input);
