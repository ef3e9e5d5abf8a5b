# Sources of the menu root and its menus (in kelvane_ui).
target_sources(kelvane_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/MenuSwitch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RegisterMenusClasses.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextMenuBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiLoadSaveMenuBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiMainMenuBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiMenuRootBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiMessageBoxBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiMoneyDisplayBhv.cpp)
