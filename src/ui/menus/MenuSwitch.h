#pragma once

class GameObject;

// Showing and hiding menus, and holding the game still while one is open. Pausing touches only the
// gameplay screen and the inventory: the menus live beside them and keep running.

// Input, update and drawing on.
void SwitchOn(GameObject& object);
// Input, update and drawing off.
void SwitchOff(GameObject& object);
// The gameplay screen and the inventory stop taking input and updating; either may be missing.
void PauseGame();
// They take input and update again.
void ResumeGame();
