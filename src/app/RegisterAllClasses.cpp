#include "app/RegisterAllClasses.h"

#include "core/RegisterCoreClasses.h"

void RegisterAllClasses(ComponentRegistry& registry) {
    RegisterCoreClasses(registry);
}
