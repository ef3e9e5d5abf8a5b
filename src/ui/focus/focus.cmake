# Pausing the game and ducking its sound while the window is in the background.
target_sources(kelvane_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FocusPauseBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RegisterFocusClasses.cpp)
