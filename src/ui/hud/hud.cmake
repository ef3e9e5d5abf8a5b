# Sources of the heads-up display (in kelvane_ui).
target_sources(kelvane_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CachedNumberText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HudBossMeterBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HudFirstRunHintBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HudInventoryBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HudItemListingBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HudMessageFlashBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HudRootBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HudSectionTitleBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HudStationPointerBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HudWeaponSlotBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RegisterHudClasses.cpp)
