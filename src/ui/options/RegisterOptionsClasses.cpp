#include "ui/options/RegisterOptionsClasses.h"

#include "prefabs/ComponentRegistry.h"
#include "ui/options/UiControlsMenuBhv.h"
#include "ui/options/UiOptionsMenuBhv.h"

void RegisterOptionsClasses(ComponentRegistry& registry) {
    registry.Register<UiOptionsMenuBhv>();
    registry.Register<UiControlsMenuBhv>();
}
