#include "components/DebugRectsBhv.h"

#include "core/GameObject.h"
#include "core/SceneRoots.h"
#include "core/Service.h"

DebugRectsBhv::~DebugRectsBhv() {
    if (current_ == this) {
        current_ = nullptr;
    }
}

void DebugRectsBhv::Start() {
    current_ = this;
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
