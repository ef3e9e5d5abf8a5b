# Starting programs and waiting for them with posix_spawn and waitpid, and this process's own memory
# (kelvane_platform_process).
kelvane_add_module(platform_process ChildProcess.cpp
    ProcessMemory.cpp)
