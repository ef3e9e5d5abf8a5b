#pragma once

#include "core/GameObject.h"
#include "core/SceneRoots.h"
#include "core/Service.h"

// The editor's tools and palettes over the running scene.

// "GameplayRoot", or null before the scene roots exist.
inline GameObject* GameplayRoot() {
    const SceneRoots* roots = Service<SceneRoots>::TryGet();
    return roots ? roots->GameplayRoot : nullptr;
}

// Input, update and drawing of object's subtree all on or all off; a null object is skipped.
inline void SetPassesEnabled(GameObject* object, bool on) {
    if (object) {
        object->InputEnabled = on;
        object->UpdateEnabled = on;
        object->DrawEnabled = on;
    }
}
