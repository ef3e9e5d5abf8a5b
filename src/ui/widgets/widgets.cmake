# Sources of generic screen widgets: buttons (in kelvane_ui).
target_sources(kelvane_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RegisterWidgetsClasses.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiButtonBhv.cpp)
