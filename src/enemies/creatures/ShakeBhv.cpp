#include "enemies/creatures/ShakeBhv.h"

#include "components/SpriteComponent.h"
#include "world/things/ThingRootBhv.h"

ShakeBhv::ShakeBhv() {
    RegisterProperty("ShakeDistance", &ShakeDistance);
    RegisterProperty("ShakePeriod", &ShakePeriod);
}

void ShakeBhv::Start() {
    if (SpriteComponent* sprite = Sprite()) {
        restOrigin_ = sprite->Origin;
    }
    StartCoroutine<&ShakeBhv::ShakeStep>();
}

CoCommand ShakeBhv::ShakeStep(int step) {
    SpriteComponent* sprite = Sprite();
    if (!sprite) {
        return CoEnd();
    }
    if (step != 0) {
        return CoRestart();
    }
    const Vector2 offset = ThingRootBhv::RandomDirection(ShakeDistance);
    sprite->Origin = {restOrigin_.x + offset.x, restOrigin_.y + offset.y};
    return CoWaitSeconds(ShakePeriod);
}
