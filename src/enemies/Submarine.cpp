#include "enemies/Submarine.h"

#include "core/GameObject.h"

GameObject* SubmarineObject() {
    // The submarine publishes itself once the player's side exists; until then there is none and
    // the creatures leave it alone.
    return nullptr;
}

bool SubmarinePosition(Vector2& position) {
    const GameObject* sub = SubmarineObject();
    if (!sub) {
        return false;
    }
    position = sub->GetPosition();
    return true;
}
