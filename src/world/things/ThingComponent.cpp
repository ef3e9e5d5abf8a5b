#include "world/things/ThingComponent.h"

#include "core/IComponentShortcuts.h"

ThingComponent* IComponentShortcuts::Thing() const {
    return static_cast<ThingComponent*>(GetSlot(ShortcutSlot::Thing));
}

ThingComponent::ThingComponent() {
    RegisterProperty("Pos", &Pos);
}
