#include "ui/hud/RegisterHudClasses.h"

#include "reflection/ComponentRegistry.h"
#include "ui/hud/HudBossMeterBhv.h"
#include "ui/hud/HudFirstRunHintBhv.h"
#include "ui/hud/HudInventoryBhv.h"
#include "ui/hud/HudItemListingBhv.h"
#include "ui/hud/HudMessageFlashBhv.h"
#include "ui/hud/HudRootBhv.h"
#include "ui/hud/HudSectionTitleBhv.h"
#include "ui/hud/HudStationPointerBhv.h"
#include "ui/hud/HudWeaponSlotBhv.h"

void RegisterHudClasses(ComponentRegistry& registry) {
    registry.Register<HudRootBhv>();
    registry.Register<HudWeaponSlotBhv>();
    registry.Register<HudInventoryBhv>();
    registry.Register<HudItemListingBhv>();
    registry.Register<HudMessageFlashBhv>();
    registry.Register<HudSectionTitleBhv>();
    registry.Register<HudBossMeterBhv>();
    registry.Register<HudFirstRunHintBhv>();
    registry.Register<HudStationPointerBhv>();
}
