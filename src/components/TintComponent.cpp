#include "components/TintComponent.h"

#include "core/IComponentShortcuts.h"

TintComponent* IComponentShortcuts::Tint() const {
    return static_cast<TintComponent*>(GetSlot(ShortcutSlot::Tint));
}

TintComponent::TintComponent() {
    RegisterProperty("Tint", &Tint);
}
