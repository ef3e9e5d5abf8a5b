# Clipboard text: SDL on the desktop, in-process when headless (kelvane_platform_clipboard).
kelvane_add_module(platform_clipboard
    ClipboardBackend.h
    ClipboardHeadless.cpp
    ClipboardSdl.cpp
    DEPS SDL2::SDL2)
