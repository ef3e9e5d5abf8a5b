#include "ui/focus/RegisterFocusClasses.h"

#include "reflection/ComponentRegistry.h"
#include "ui/focus/FocusPauseBhv.h"

void RegisterFocusClasses(ComponentRegistry& registry) {
    registry.Register<FocusPauseBhv>();
}
