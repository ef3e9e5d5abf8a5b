# The options menu, its controls page, and the interfaces through which they reach the player's
# settings and keymap.
target_sources(kelvane_ui PRIVATE
    options/RegisterOptionsClasses.cpp
    options/UiControlsMenuBhv.cpp
    options/UiOptionsMenuBhv.cpp)
