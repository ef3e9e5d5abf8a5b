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
