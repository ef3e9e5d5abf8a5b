# Files the game writes and reads whole: replaced atomically, never through a planted link, and
# read only when regular (kelvane_platform_files).
kelvane_add_module(platform_files
    AtomicFile.cpp
    RegularFile.cpp
    SystemError.h)
