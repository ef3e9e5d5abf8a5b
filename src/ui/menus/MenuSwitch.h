#pragma once

class GameObject;

// Holding the game still while a menu is open (menus show and hide with
// GameObject::SetPassesEnabled). Pausing touches only the gameplay screen and the inventory: the
// menus live beside them and keep running.

// The gameplay screen and the inventory stop taking input and updating; either may be missing.
void PauseGame();
// They take input and update again.
void ResumeGame();
