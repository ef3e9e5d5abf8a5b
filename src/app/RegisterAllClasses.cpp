#include "app/RegisterAllClasses.h"

#include "components/RegisterComponentsClasses.h"
#include "core/RegisterCoreClasses.h"
#include "physics/RegisterPhysicsClasses.h"

void RegisterAllClasses(ComponentRegistry& registry) {
    RegisterCoreClasses(registry);
    RegisterComponentsClasses(registry);
    RegisterPhysicsClasses(registry);
}
