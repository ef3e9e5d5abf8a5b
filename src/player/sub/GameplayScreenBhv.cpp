#include "player/sub/GameplayScreenBhv.h"

#include "core/GraphicsManager.h"
#include "core/Service.h"
#include "core/WellKnown.h"

GameplayScreenBhv::GameplayScreenBhv() {
    RegisterProxyProperty<Color>("BackgroundColor",
                                 std::function<Color()>(&GameplayScreenBhv::GetBackgroundColor),
                                 std::function<void(Color)>(&GameplayScreenBhv::SetBackgroundColor));
}

GameplayScreenBhv::~GameplayScreenBhv() {
    WellKnown<GameplayScreenBhv>::ClearIf(this);
}

void GameplayScreenBhv::Start() {
    WellKnown<GameplayScreenBhv>::Register(this);
}

Color GameplayScreenBhv::GetBackgroundColor() {
    const GraphicsManager* graphics = Service<GraphicsManager>::TryGet();
    return graphics ? graphics->ClearColor : Color{0, 0, 0, 255};
}

void GameplayScreenBhv::SetBackgroundColor(Color color) {
    if (GraphicsManager* graphics = Service<GraphicsManager>::TryGet()) {
        graphics->ClearColor = color;
    }
}
