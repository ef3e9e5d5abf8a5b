# Game controllers through SDL's game-controller layer, hot-plugged (kelvane_platform_gamepad).
kelvane_add_module(platform_gamepad Gamepads.cpp DEPS SDL2::SDL2)
