#include "ui/menus/RegisterMenusClasses.h"

#include "reflection/ComponentRegistry.h"
#include "ui/menus/TextMenuBhv.h"
#include "ui/menus/UiLoadSaveMenuBhv.h"
#include "ui/menus/UiMainMenuBhv.h"
#include "ui/menus/UiMenuRootBhv.h"
#include "ui/menus/UiMessageBoxBhv.h"
#include "ui/menus/UiMoneyDisplayBhv.h"

void RegisterMenusClasses(ComponentRegistry& registry) {
    registry.Register<UiMenuRootBhv>();
    registry.Register<TextMenuBhv>();
    registry.Register<UiMainMenuBhv>();
    registry.Register<UiLoadSaveMenuBhv>();
    registry.Register<UiMessageBoxBhv>();
    registry.Register<UiMoneyDisplayBhv>();
}
