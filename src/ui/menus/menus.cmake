# Sources of the menu root and its menus (in kelvane_ui).
target_sources(kelvane_ui PRIVATE
    menus/MenuSwitch.cpp
    menus/RegisterMenusClasses.cpp
    menus/TextMenuBhv.cpp
    menus/UiLoadSaveMenuBhv.cpp
    menus/UiMainMenuBhv.cpp
    menus/UiMenuRootBhv.cpp
    menus/UiMessageBoxBhv.cpp
    menus/UiMoneyDisplayBhv.cpp)
