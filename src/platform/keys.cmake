# Keyboard events to Windows virtual-key codes (kelvane_platform_keys).
kelvane_add_module(platform_keys VirtualKeys.cpp DEPS SDL2::SDL2)
