#include "editor/RegisterEditorClasses.h"

#include "editor/EdHotReloadMonitorBhv.h"
#include "prefabs/ComponentRegistry.h"

void RegisterEditorClasses(ComponentRegistry& registry) {
    registry.Register<EdHotReloadMonitorBhv>();
}
