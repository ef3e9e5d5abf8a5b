# The per-user folder of saved games, where the executable lives and whether a folder may be written
# (kelvane_platform_savefolder).
kelvane_add_module(platform_savefolder
    ${CMAKE_CURRENT_LIST_DIR}/ExecutableFolder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SaveFolder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WritableFolder.cpp)
