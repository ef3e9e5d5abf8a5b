#include "enemies/boss/BossGateBhv.h"

#include <box2d/b2_fixture.h>

#include "audio/CueManagerBhv.h"
#include "components/SpriteComponent.h"
#include "core/GameObject.h"
#include "physics/B2FixtureComponent.h"

void BossGateBhv::Start() {
    isOpen = false;
    Close();
}

void BossGateBhv::Open() {
    if (!isOpen) {
        isOpen = true;
        playCue("BossGateOpen");
    }
    Show(true);
}

void BossGateBhv::Close() {
    if (isOpen) {
        isOpen = false;
        playCue("BossGateClose");
    }
    Show(false);
}

void BossGateBhv::Show(bool open) {
    if (SpriteComponent* sprite = Sprite()) {
        sprite->SetImageName(open ? "BossGateOpen" : "BossGateClosed");
    }
    if (!Owner) {
        return;
    }
    if (auto* barrier = Owner->GetComponentOfType<B2FixtureComponent>(1)) {
        barrier->definition.isSensor = open;
        if (barrier->fixture) {
            barrier->fixture->SetSensor(open);
        }
    }
}
