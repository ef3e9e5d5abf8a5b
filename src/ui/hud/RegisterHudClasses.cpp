#include "ui/hud/RegisterHudClasses.h"

#include "prefabs/ComponentRegistry.h"
#include "ui/hud/HudRootBhv.h"

void RegisterHudClasses(ComponentRegistry& registry) {
    registry.Register<HudRootBhv>();
}
