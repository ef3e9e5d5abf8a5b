# The options menu, its controls page, and the interfaces through which they reach the player's
# settings and keymap.
target_sources(kelvane_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RegisterOptionsClasses.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiControlsMenuBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiOptionsMenuBhv.cpp)
