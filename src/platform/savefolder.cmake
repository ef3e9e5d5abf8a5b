# The per-user folder of saved games (kelvane_platform_savefolder).
kelvane_add_module(platform_savefolder
    ${CMAKE_CURRENT_LIST_DIR}/SaveFolder.cpp)
