#pragma once

#include <string>

struct SceneRoots;

// The player-visible state of the running game as one JSON object: the inventory's numbers, the
// held items in order, the submarine's position, the boss state, whether the reward was paid, the
// store's unlocked goods, the objects whose mouse listener has the pointer over them and the menus
// that are open. Game runs write it at exit (--game-state) so scripted runs can be checked from
// outside.
std::string DescribeGameState(const SceneRoots& roots);

// Writes DescribeGameState to the file; false when it cannot be written.
bool WriteGameState(const SceneRoots& roots, const std::string& path);
