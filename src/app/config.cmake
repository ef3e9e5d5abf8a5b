# Game configuration, where the content is, the player's settings and keymap, and clipboard
# (kelvane_app_config).
kelvane_add_module(app_config
    Clipboard.cpp
    ContentSearch.cpp
    GameConfig.cpp
    KeymapFile.cpp
    Settings.cpp
    DEPS kelvane_core kelvane_input kelvane_platform_clipboard kelvane_platform_files kelvane_platform_savefolder
         kelvane_json Boost::headers)
