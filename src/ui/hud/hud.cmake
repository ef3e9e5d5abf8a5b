# Sources of the heads-up display (part of kelvane_ui).
target_sources(kelvane_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CachedNumberText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HudRootBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RegisterHudClasses.cpp)
