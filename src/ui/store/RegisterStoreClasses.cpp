#include "ui/store/RegisterStoreClasses.h"

#include "prefabs/ComponentRegistry.h"
#include "ui/store/UiSupplyLoadoutBhv.h"

void RegisterStoreClasses(ComponentRegistry& registry) {
    registry.Register<UiSupplyLoadoutBhv>();
}
