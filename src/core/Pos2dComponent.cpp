#include "core/Pos2dComponent.h"

#include "core/GameObject.h"

Pos2dComponent* IComponentShortcuts::Pos2d() const {
    return static_cast<Pos2dComponent*>(GetSlot(ShortcutSlot::Pos2d));
}

Pos2dComponent::Pos2dComponent() {
    RegisterProperty("Pos", &Pos);
    RegisterProperty("Rotation", &Rotation);
    RegisterProperty("IsRelative", &IsRelative);
}

Vector2 Pos2dComponent::WorldPosition() const {
    Vector2 sum;
    const GameObject* object = Owner;
    if (!object) {
        return Pos;
    }
    for (; object; object = object->Parent) {
        if (const Pos2dComponent* pos = object->Pos2d()) {
            sum += pos->Pos;
            if (!pos->IsRelative) {
                break;
            }
        }
    }
    return sum;
}
