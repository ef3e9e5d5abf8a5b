#include "ui/store/RegisterStoreClasses.h"

#include "reflection/ComponentRegistry.h"
#include "ui/store/UiNeedsSectionBhv.h"
#include "ui/store/UiSupplyBuyMenuBhv.h"
#include "ui/store/UiSupplyLoadoutBhv.h"
#include "ui/store/UiSupplyMainMenuBhv.h"
#include "ui/store/UiSupplySellMenuBhv.h"

void RegisterStoreClasses(ComponentRegistry& registry) {
    registry.Register<UiSupplyMainMenuBhv>();
    registry.Register<UiSupplyBuyMenuBhv>();
    registry.Register<UiSupplySellMenuBhv>();
    registry.Register<UiSupplyLoadoutBhv>();
    registry.Register<UiNeedsSectionBhv>();
}
