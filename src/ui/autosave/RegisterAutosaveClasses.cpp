#include "ui/autosave/RegisterAutosaveClasses.h"

#include "reflection/ComponentRegistry.h"
#include "ui/autosave/AutosaveBhv.h"

void RegisterAutosaveClasses(ComponentRegistry& registry) {
    registry.Register<AutosaveBhv>();
}
