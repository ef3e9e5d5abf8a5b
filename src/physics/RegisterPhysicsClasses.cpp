#include "physics/RegisterPhysicsClasses.h"

#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"
#include "physics/FixtureMouseListenerBhv.h"
#include "physics/FixtureMouseManagerBhv.h"
#include "reflection/ComponentRegistry.h"

void RegisterPhysicsClasses(ComponentRegistry& registry) {
    registry.Register<B2BodyComponent>();
    registry.Register<B2FixtureComponent>();
    registry.Register<FixtureMouseListenerBhv>();
    registry.Register<FixtureMouseManagerBhv>();
}
