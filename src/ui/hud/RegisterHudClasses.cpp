#include "ui/hud/RegisterHudClasses.h"

#include "prefabs/ComponentRegistry.h"

void RegisterHudClasses([[maybe_unused]] ComponentRegistry& registry) {
}
