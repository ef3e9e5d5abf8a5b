# Sources of generic screen widgets: buttons, and hints naming the keys bound now (in kelvane_ui).
target_sources(kelvane_ui PRIVATE
    widgets/RegisterWidgetsClasses.cpp
    widgets/KeyLabel.cpp
    widgets/UiButtonBhv.cpp
    widgets/UiKeyHintBhv.cpp)
