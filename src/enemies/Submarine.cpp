#include "enemies/Submarine.h"

#include "core/GameObject.h"
#include "player/sub/SubBhv.h"

GameObject* SubmarineObject() {
    return Submarine();
}

bool SubmarinePosition(Vector2& position) {
    const GameObject* sub = SubmarineObject();
    if (!sub) {
        return false;
    }
    position = sub->GetPosition();
    return true;
}
