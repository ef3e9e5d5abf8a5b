#include "ui/options/RegisterOptionsClasses.h"

#include "reflection/ComponentRegistry.h"
#include "ui/options/UiControlsMenuBhv.h"
#include "ui/options/UiOptionsMenuBhv.h"

void RegisterOptionsClasses(ComponentRegistry& registry) {
    registry.Register<UiOptionsMenuBhv>();
    registry.Register<UiControlsMenuBhv>();
}
