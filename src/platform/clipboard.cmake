# Clipboard text: SDL on the desktop, in-process when headless (kelvane_platform_clipboard).
kelvane_add_module(platform_clipboard
    ${CMAKE_CURRENT_LIST_DIR}/ClipboardBackend.h
    ${CMAKE_CURRENT_LIST_DIR}/ClipboardHeadless.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ClipboardSdl.cpp
    DEPS SDL2::SDL2)
