#include "audio/CueOneShotBhv.h"

#include "core/GameObject.h"

void CueOneShotBhv::Play() {
    StartChannel(0);
}

void CueOneShotBhv::Update() {
    if (Channel && !Channel.IsPlaying()) {
        Owner->DestroyLater();
    }
}
