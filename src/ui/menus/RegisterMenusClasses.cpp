#include "ui/menus/RegisterMenusClasses.h"

#include "prefabs/ComponentRegistry.h"

void RegisterMenusClasses([[maybe_unused]] ComponentRegistry& registry) {
}
