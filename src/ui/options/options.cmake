# The options menu and the interface through which it reaches the player's settings.
target_sources(kelvane_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RegisterOptionsClasses.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiOptionsMenuBhv.cpp)
