#include "audio/CueLoopedBhv.h"

#include "core/GameObject.h"

CueLoopedBhv::~CueLoopedBhv() {
    if (started_ && Channel.IsPlaying()) {
        Channel.Stop();
    }
}

void CueLoopedBhv::Play() {
    if (StartChannel(-1)) {
        started_ = true;
    }
}

void CueLoopedBhv::Update() {
    if (started_ && Channel && !Channel.IsPlaying()) {
        Owner->DestroyLater();
    }
}
