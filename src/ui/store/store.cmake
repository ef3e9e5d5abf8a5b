# Sources of the supply-station store (part of kelvane_ui).
target_sources(kelvane_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RegisterStoreClasses.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UiSupplyLoadoutBhv.cpp)
