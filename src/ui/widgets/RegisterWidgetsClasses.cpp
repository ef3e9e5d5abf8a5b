#include "ui/widgets/RegisterWidgetsClasses.h"

#include "reflection/ComponentRegistry.h"
#include "ui/widgets/UiButtonBhv.h"

void RegisterWidgetsClasses(ComponentRegistry& registry) {
    registry.Register<UiButtonBhv>();
}
