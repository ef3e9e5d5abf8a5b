#pragma once

class GameObject;

// The per-frame walks over the tree. Each visits behaviours and children by index against the
// current length, so entries appended during the pass are reached in the same pass.

// HandleInput of every behaviour of every object whose InputEnabled is set (a clear flag skips
// the subtree).
void InputPass(GameObject& object);

// Update, then that behaviour's coroutines, for every object whose UpdateEnabled is set.
void UpdatePass(GameObject& object);

// Each body under the object is active exactly when its own UpdateEnabled and every ancestor's up
// to the starting object are set. Started on the gameplay root with active = its UpdateEnabled.
void BodyActivityPass(GameObject& object, bool active);
