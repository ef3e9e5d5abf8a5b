#include "player/pickups/IPickup.h"

#include "core/Component.h"
#include "core/GameObject.h"

IPickup* FindPickup(const GameObject& object) {
    for (Component* component : object.Components) {
        if (auto* pickup = dynamic_cast<IPickup*>(component)) {
            return pickup;
        }
    }
    return nullptr;
}
