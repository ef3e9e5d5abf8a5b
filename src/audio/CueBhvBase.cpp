#include "audio/CueBhvBase.h"

#include <cmath>

#include "audio/CueComponent.h"
#include "audio/SoundManager.h"
#include "core/GameObject.h"
#include "core/Service.h"
#include "platform/AudioSound.h"

CueBhvBase::CueBhvBase() {
    RegisterProperty("SoundName", &SoundName);
    RegisterProperty("Volume", &Volume);
    RegisterProperty("Pitch", &Pitch);
}

CueBhvBase::~CueBhvBase() {
    if (Owner) {
        if (auto* cue = Owner->GetComponentOfType<CueComponent>()) {
            cue->ClearTrigger(this);
        }
    }
}

void CueBhvBase::Start() {
    if (auto* cue = Owner->GetComponentOfType<CueComponent>()) {
        cue->SetTrigger(this, [this] { Play(); });
    }
}

bool CueBhvBase::StartChannel(int loopCount) {
    SoundManager* sounds = Service<SoundManager>::TryGet();
    AudioSound* sound = sounds ? sounds->findSound(SoundName) : nullptr;
    if (!sound) {
        Owner->DestroyLater();
        return false;
    }
    Channel = sounds->System().PlaySound(*sound, true);
    if (Pitch != 0.0f) {
        Channel.SetFrequency(sound->DefaultFrequency() * std::exp2(Pitch / 12.0f));
    }
    Channel.SetVolume(Volume);
    if (loopCount != 0) {
        Channel.SetLoopCount(loopCount);
    }
    Channel.SetPaused(false);
    return true;
}
