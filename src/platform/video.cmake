kelvane_add_module(platform_video
    Clock.cpp
    HeadlessWindow.cpp
    Letterbox.cpp
    SdlWindow.cpp
    DEPS kelvane_platform_keys SDL2::SDL2 PkgConfig::EPOXY)
