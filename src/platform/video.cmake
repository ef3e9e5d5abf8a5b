kelvane_add_module(platform_video
    Clock.cpp
    HeadlessWindow.cpp
    Letterbox.cpp
    SdlWindow.cpp
    Window.h
    DEPS kelvane_platform_keys SDL2::SDL2 PkgConfig::EPOXY)
