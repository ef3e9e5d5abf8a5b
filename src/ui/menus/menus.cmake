# Sources of the menu root and its menus (part of kelvane_ui).
target_sources(kelvane_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RegisterMenusClasses.cpp)
