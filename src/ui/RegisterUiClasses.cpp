#include "ui/RegisterUiClasses.h"

#include "ui/autosave/RegisterAutosaveClasses.h"
#include "ui/focus/RegisterFocusClasses.h"
#include "ui/hud/RegisterHudClasses.h"
#include "ui/menus/RegisterMenusClasses.h"
#include "ui/options/RegisterOptionsClasses.h"
#include "ui/store/RegisterStoreClasses.h"
#include "ui/widgets/RegisterWidgetsClasses.h"

void RegisterUiClasses(ComponentRegistry& registry) {
    RegisterWidgetsClasses(registry);
    RegisterHudClasses(registry);
    RegisterMenusClasses(registry);
    RegisterStoreClasses(registry);
    RegisterOptionsClasses(registry);
    RegisterFocusClasses(registry);
    RegisterAutosaveClasses(registry);
}
