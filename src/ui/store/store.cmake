# Sources of the supply-station store (in kelvane_ui).
target_sources(kelvane_ui PRIVATE
    store/RegisterStoreClasses.cpp
    store/StoreList.cpp
    store/UiNeedsSectionBhv.cpp
    store/UiSupplyBuyMenuBhv.cpp
    store/UiSupplyLoadoutBhv.cpp
    store/UiSupplyMainMenuBhv.cpp
    store/UiSupplySellMenuBhv.cpp)
