#include "audio/CueManagerBhv.h"

#include "audio/CueComponent.h"
#include "audio/CueLoopedBhv.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "prefabs/PrefabManager.h"

CueManagerBhv::~CueManagerBhv() {
    WellKnown<CueManagerBhv>::ClearIf(this);
}

void CueManagerBhv::Start() {
    WellKnown<CueManagerBhv>::Register(this);
}

namespace {

// Builds and fires the cue; returns its object, or null when there is no such cue.
GameObject* startCue(const std::string& cueName) {
    CueManagerBhv* manager = WellKnown<CueManagerBhv>::Get();
    PrefabManager* prefabs = Service<PrefabManager>::TryGet();
    const std::string prefabName = "Cue_" + cueName;
    if (!manager || !manager->Owner || !prefabs || !prefabs->Contains(prefabName)) {
        return nullptr;
    }
    auto* cue = new GameObject(prefabName);
    manager->Owner->AppendChild(cue);
    CueComponent* trigger = cue->GetComponentOfType<CueComponent>();
    if (trigger && trigger->PlayTrigger) {
        trigger->PlayTrigger();
    } else {
        cue->DestroyLater(); // nothing could ever end it
    }
    return cue;
}

} // namespace

void playCue(const std::string& cueName) {
    startCue(cueName);
}

CueLoopedBhv* playLoopedCue(const std::string& cueName) {
    GameObject* cue = startCue(cueName);
    if (!cue || cue->PendingDestroy) {
        return nullptr;
    }
    return cue->GetComponentOfType<CueLoopedBhv>();
}

void stopLoopedCue(CueLoopedBhv* handle) {
    if (handle && handle->Channel.IsPlaying()) {
        handle->Channel.Stop();
    }
}

void endLoopedCue(CueLoopedBhv* handle) {
    if (handle) {
        handle->Channel.SetLoopCount(0);
    }
}
