# Sources of the heads-up display (in kelvane_ui).
target_sources(kelvane_ui PRIVATE
    hud/CachedNumberText.cpp
    hud/HudBossMeterBhv.cpp
    hud/HudFirstRunHintBhv.cpp
    hud/HudInventoryBhv.cpp
    hud/HudItemListingBhv.cpp
    hud/HudMessageFlashBhv.cpp
    hud/HudRootBhv.cpp
    hud/HudSectionTitleBhv.cpp
    hud/HudStationPointerBhv.cpp
    hud/HudWeaponSlotBhv.cpp
    hud/RegisterHudClasses.cpp)
