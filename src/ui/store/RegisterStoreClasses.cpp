#include "ui/store/RegisterStoreClasses.h"

#include "prefabs/ComponentRegistry.h"

void RegisterStoreClasses([[maybe_unused]] ComponentRegistry& registry) {
}
