#include "ui/widgets/RegisterWidgetsClasses.h"

#include "prefabs/ComponentRegistry.h"
#include "ui/widgets/UiButtonBhv.h"
#include "ui/widgets/UiKeyHintBhv.h"

void RegisterWidgetsClasses(ComponentRegistry& registry) {
    registry.Register<UiButtonBhv>();
    registry.Register<UiKeyHintBhv>();
}
