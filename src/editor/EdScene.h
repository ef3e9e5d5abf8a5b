#pragma once

#include "core/GameObject.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "editor/EdRootBhv.h"

// The editor's tools and palettes over the running scene.

// "GameplayRoot", or null before the scene roots exist.
inline GameObject* GameplayRoot() {
    const SceneRoots* roots = Service<SceneRoots>::TryGet();
    return roots ? roots->GameplayRoot : nullptr;
}

// Whether the object is part of the editor's own tree (the child of "Root" that holds the editor's
// root behaviour, and everything under it): the editor never removes its own parts.
inline bool IsEditorOwn(const GameObject& object) {
    const GameObject* top = &object;
    while (top->Parent && top->Parent->Parent) {
        top = top->Parent;
    }
    return top->Parent && top->GetComponentOfType<EdRootBhv>();
}
