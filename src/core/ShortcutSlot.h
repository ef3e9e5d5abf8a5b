#pragma once

// The seven component types an object and each of its behaviours can reach by a field read.
enum class ShortcutSlot : int { Body, Pos2d, Sprite, Text, Tint, Thing, Enemy, Count, None = Count };
