# Sources of the supply-station store (in kelvane_ui).
target_sources(kelvane_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RegisterStoreClasses.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StoreList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiNeedsSectionBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiSupplyBuyMenuBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiSupplyLoadoutBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiSupplyMainMenuBhv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiSupplySellMenuBhv.cpp)
