#include "ui/widgets/RegisterWidgetsClasses.h"

#include "prefabs/ComponentRegistry.h"
#include "ui/widgets/UiButtonBhv.h"

void RegisterWidgetsClasses(ComponentRegistry& registry) {
    registry.Register<UiButtonBhv>();
}
