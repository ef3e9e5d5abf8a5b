# The session's recording kept safe through crashes, and the per-user state folder it lands in
# (kelvane_platform_recording).
kelvane_add_module(platform_recording
    SessionRecording.cpp
    StateFolder.cpp
    DEPS kelvane_platform_savefolder)
