#include "player/tools/LiveBombBhv.h"

#include <cmath>

#include <box2d/b2_body.h>
#include <box2d/b2_contact.h>
#include <box2d/b2_fixture.h>

#include "audio/CueManagerBhv.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/ScheduleCoroutine.h"
#include "core/Service.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"
#include "player/tools/ExplosiveBhv.h"
#include "world/RandomManager.h"

LiveBombBhv::LiveBombBhv() {
    RegisterProperty("SlowBlinkTime", &SlowBlinkTime);
    RegisterProperty("FastBlinkTime", &FastBlinkTime);
    RegisterProperty("RandomSpin", &RandomSpin);
    RegisterProperty("IsNuke", &IsNuke);
}

void LiveBombBhv::Start() {
    ScheduleCoroutine<&LiveBombBhv::MainStep>(*this);
    float spin = -RandomSpin;
    if (RandomSpin > 0.0f) {
        RandomManager* random = Service<RandomManager>::TryGet();
        spin = random ? random->UniformFloat(-RandomSpin, RandomSpin) : 0.0f;
    }
    if (B2BodyComponent* body = Body()) {
        b2Body* b = body->GetBody();
        if (b->GetType() != b2_staticBody && std::isfinite(spin)) {
            b->SetAngularVelocity(spin);
            if (spin != 0.0f) {
                b->SetAwake(true);
            }
        }
    }
    if (B2FixtureComponent* fixture = Owner ? Owner->GetComponentOfType<B2FixtureComponent>() : nullptr) {
        fixture->preSolveHandler = [this](b2Contact* contact, b2Fixture* other) {
            onPreSolve(contact, other);
        };
    }
}

void LiveBombBhv::onPreSolve(b2Contact* contact, b2Fixture* other) {
    auto* component = reinterpret_cast<B2FixtureComponent*>(other->GetUserData().pointer);
    if (component && component->Owner && component->Owner->PrefabName.find("Pkup_") != std::string::npos) {
        contact->SetEnabled(false);
    }
}

CoCommand LiveBombBhv::MainStep(int step) {
    switch (step) {
    case 0:
        StartCoroutine<&LiveBombBhv::SlowBlinkStep>();
        return CoWaitSeconds(SlowBlinkTime);
    case 1:
        StopCoroutine<&LiveBombBhv::SlowBlinkStep>();
        StartCoroutine<&LiveBombBhv::FastBlinkStep>();
        return CoWaitSeconds(FastBlinkTime);
    default:
        if (Owner) {
            if (ExplosiveBhv* explosive = Owner->GetComponentOfType<ExplosiveBhv>()) {
                explosive->explode();
            }
        }
        playCue("BombBlast");
        StopCoroutine<&LiveBombBhv::FastBlinkStep>();
        if (Owner) {
            Owner->DestroyLater();
        }
        return CoEnd();
    }
}

CoCommand LiveBombBhv::SlowBlinkStep(int step) {
    return Blink(step, 0.05f, 0.45f);
}

CoCommand LiveBombBhv::FastBlinkStep(int step) {
    return Blink(step, 0.05f, 0.05f);
}

CoCommand LiveBombBhv::Blink(int step, float redTime, float whiteTime) {
    TintComponent* tint = Tint();
    switch (step) {
    case 0:
        if (tint) {
            tint->Tint = Color{255, 0, 0, 255};
        }
        playCue(IsNuke ? "NukeBeep" : "BombBeep");
        return CoWaitSeconds(redTime);
    case 1:
        if (tint) {
            tint->Tint = Color::White();
        }
        return CoWaitSeconds(whiteTime);
    default:
        return CoRestart();
    }
}
