# The session's recording kept safe through crashes, and the per-user state folder it lands in
# (kelvane_platform_recording).
kelvane_add_module(platform_recording
    ${CMAKE_CURRENT_LIST_DIR}/SessionRecording.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StateFolder.cpp)
