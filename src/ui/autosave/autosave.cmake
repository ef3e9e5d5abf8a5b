# Keeping the player's progress in the autosave slot when they leave a station or the game.
target_sources(kelvane_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AutosaveBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RegisterAutosaveClasses.cpp)
