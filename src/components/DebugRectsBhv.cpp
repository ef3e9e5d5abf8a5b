#include "components/DebugRectsBhv.h"

#include "core/GameObject.h"
#include "core/SceneRoots.h"
#include "core/Service.h"
#include "core/WellKnown.h"

DebugRectsBhv::~DebugRectsBhv() {
    WellKnown<DebugRectsBhv>::ClearIf(this);
}

void DebugRectsBhv::Start() {
    WellKnown<DebugRectsBhv>::Register(this);
}

void DebugRectsBhv::HandleInput() {
    const SceneRoots* roots = Service<SceneRoots>::TryGet();
    if (!Owner || !roots || !roots->GameplayRoot || !roots->GameplayRoot->UpdateEnabled) {
        return;
    }
    for (GameObject* child : Owner->Children) {
        if (!child->PendingDestroy) {
            child->DestroyLater();
        }
    }
}
