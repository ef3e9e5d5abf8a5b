# Pausing the game and ducking its sound while the window is in the background.
target_sources(kelvane_ui PRIVATE
    focus/FocusPauseBhv.cpp
    focus/RegisterFocusClasses.cpp)
