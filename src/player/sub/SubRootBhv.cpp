#include "player/sub/SubRootBhv.h"

#include "core/WellKnown.h"

SubRootBhv::~SubRootBhv() {
    WellKnown<SubRootBhv>::ClearIf(this);
}

void SubRootBhv::Start() {
    WellKnown<SubRootBhv>::Register(this);
}

GameObject* SubRoot() {
    SubRootBhv* root = WellKnown<SubRootBhv>::Get();
    return root ? root->Owner : nullptr;
}
