#include "ui/widgets/RegisterWidgetsClasses.h"

#include "prefabs/ComponentRegistry.h"

void RegisterWidgetsClasses([[maybe_unused]] ComponentRegistry& registry) {
}
