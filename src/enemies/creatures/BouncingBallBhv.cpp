#include "enemies/creatures/BouncingBallBhv.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "world/RandomManager.h"

BouncingBallBhv::BouncingBallBhv() {
    RegisterProperty("Velocity", &Velocity);
    RegisterProperty("AngularVelocity", &AngularVelocity);
}

void BouncingBallBhv::Start() {
    RandomManager* random = Service<RandomManager>::TryGet();
    if (!random) {
        return;
    }
    const float pi = std::numbers::pi_v<float>;
    if (Pos2dComponent* pos = Pos2d()) {
        pos->Pos.x = random->UniformFloat(0.0f, BoxWidth);
        pos->Pos.y = random->UniformFloat(0.0f, BoxHeight);
        pos->Rotation = random->UniformFloat(-pi, pi);
    }
    if (TextComponent* text = Text()) {
        text->FontSize *= random->UniformFloat(0.5f, 1.5f);
    } else if (SpriteComponent* sprite = Sprite()) {
        const float factor = random->UniformFloat(0.07f, 2.0f);
        sprite->Size = {sprite->Size.x * factor, sprite->Size.y * factor};
    }
    if (TintComponent* tint = Tint()) {
        auto channel = [&] {
            return static_cast<uint8_t>(random->UniformFloat(0.0f, 1.0f) * 255.0f);
        };
        tint->Tint.r = channel();
        tint->Tint.g = channel();
        tint->Tint.b = channel();
    }
    Velocity.x = random->UniformFloat(-2.0f, 2.0f);
    Velocity.y = random->UniformFloat(-2.0f, 2.0f);
    AngularVelocity = random->UniformFloat(-2.0f, 2.0f);
}

void BouncingBallBhv::Update() {
    Pos2dComponent* pos = Pos2d();
    const GameTime* time = Service<GameTime>::TryGet();
    if (!pos || !time) {
        return;
    }
    if (pos->Pos.x > BoxWidth) {
        Velocity.x = -std::fabs(Velocity.x);
    } else if (pos->Pos.x < 0.0f) {
        Velocity.x = std::fabs(Velocity.x);
    }
    if (pos->Pos.y > BoxHeight) {
        Velocity.y = -std::fabs(Velocity.y);
    } else if (pos->Pos.y < 0.0f) {
        Velocity.y = std::fabs(Velocity.y);
    }
    pos->Pos.x += Velocity.x * time->FrameDelta;
    pos->Pos.y += Velocity.y * time->FrameDelta;
    pos->Rotation += AngularVelocity * time->FrameDelta;
}
