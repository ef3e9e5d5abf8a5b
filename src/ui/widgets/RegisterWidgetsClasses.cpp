#include "ui/widgets/RegisterWidgetsClasses.h"

#include "reflection/ComponentRegistry.h"
#include "ui/widgets/UiButtonBhv.h"
#include "ui/widgets/UiKeyHintBhv.h"

void RegisterWidgetsClasses(ComponentRegistry& registry) {
    registry.Register<UiButtonBhv>();
    registry.Register<UiKeyHintBhv>();
}
