# Sources of generic screen widgets: buttons, and hints naming the keys bound now (in kelvane_ui).
target_sources(kelvane_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RegisterWidgetsClasses.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyLabel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiButtonBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiKeyHintBhv.cpp)
