#pragma once

#include "core/Vector2.h"

class GameObject;

// What every tool shares: where the pointer is, whether the tool is the selected one, and the
// display objects hung under the sub root's layers.

// Layer children of the sub root: drawn behind and in front of the submarine.
inline constexpr const char* SubBackLayer = "SubBackLayer";
inline constexpr const char* SubFrontLayer = "SubFrontLayer";

// True when no overlay holds the pointer and the pointer is not over the HUD panel (the strip to the
// right of the world camera's viewport). False without input.
bool PointerOverPlayArea();
// The pointer mapped through the world camera.
Vector2 PointerWorldPosition();
// A pad player aims: the right stick is out of its dead zone and the mouse did not move this frame
// (a moved mouse takes the aim back at once).
bool PadAiming();
// Whether a tool may fire: no overlay holds the pointer, and the pointer is over the play area or
// the pad aims or fires (a pad player's mouse may lie anywhere, over the HUD panel too).
bool AimOverPlayArea();
// Where a tool of this reach aims: the pointer's world position, or while the pad aims, the
// submarine's position plus the stick's push (at most one) times the reach.
Vector2 AimWorldPosition(float reach);
// Whether the object and every ancestor take input: only the selected quick slot's tool does.
bool IsSelectedTool(const GameObject& object);
// The named display under the named layer of the sub root, built from the prefab of that name when
// missing, switched off. Null without a sub root, layer or prefab.
GameObject* FindOrCreateDisplay(const char* layerName, const char* displayName);
// v scaled to length max when longer, to length min when shorter; a zero vector stays zero.
Vector2 ClampReach(Vector2 v, float minLength, float maxLength);
// Places an object between two points: its Pos2d at the midpoint turned along b - a, and its
// sprite's width the distance.
void StretchBetween(GameObject& object, Vector2 a, Vector2 b);
// The submarine's body position (its object position without a body); false without a submarine.
bool SubPosition(Vector2& position);
