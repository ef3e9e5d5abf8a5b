#pragma once

// Translation of the platform's keyboard events into Windows virtual-key codes, the vocabulary the
// input manager expects. Plain ints keep SDL types out of this header:
//   scancode: SDL_Scancode of the event's keysym (the key's position)
//   keycode:  SDL_Keycode of the event's keysym (the character the layout puts there)
//   mod:      SDL_Keymod bits of the event's keysym (only KMOD_NUM, the Num Lock state, is read)
//
// As on Windows: both Shift keys give 0x10, both Ctrl keys 0x11, both Alt keys 0x12, both Enter keys
// 0x0D. Keypad digits and the keypad period give the keypad codes with Num Lock on and the navigation
// codes with it off (keypad 5 then gives Clear, 0x0C). Letters, digits and punctuation follow the
// layout's character where it is one of the US-layout characters, otherwise the key position.
// Returns 0 for keys that have no virtual-key code here; callers drop those.
int VirtualKeyFromSdl(int scancode, int keycode, unsigned mod);
