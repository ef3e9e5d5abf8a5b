#include "app/RegisterAllClasses.h"

#include "components/RegisterComponentsClasses.h"
#include "core/RegisterCoreClasses.h"

void RegisterAllClasses(ComponentRegistry& registry) {
    RegisterCoreClasses(registry);
    RegisterComponentsClasses(registry);
}
