#pragma once

#include <string>

#include "core/GameObject.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/things/ThingRootBhv.h"

// How many live things (not queued for deletion) of the prefab the thing grid holds.
inline int CountThings(const ThingRootBhv& things, const std::string& prefab) {
    int n = 0;
    for (const ThingGridCellBhv* cell : things.Cells()) {
        for (const GameObject* child : cell->Owner->Children) {
            n += child->PrefabName == prefab && !child->PendingDestroy ? 1 : 0;
        }
    }
    return n;
}
