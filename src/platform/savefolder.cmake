# The per-user folders (the one XDG lookup) with the one of saved games, where the executable lives
# and whether a folder may be written (kelvane_platform_savefolder).
kelvane_add_module(platform_savefolder
    ExecutableFolder.cpp
    SaveFolder.cpp
    UserFolder.cpp
    WritableFolder.cpp)
