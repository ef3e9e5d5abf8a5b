#include "core/RegisterCoreClasses.h"

#include "core/Pos2dComponent.h"
#include "reflection/ComponentRegistry.h"

void RegisterCoreClasses(ComponentRegistry& registry) {
    registry.Register<Pos2dComponent>();
}
