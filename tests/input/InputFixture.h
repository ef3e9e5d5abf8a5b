#pragma once

#include <gtest/gtest.h>

#include "core/GameTime.h"
#include "core/GraphicsManager.h"
#include "core/Service.h"
#include "input/InputManager.h"

// An input manager with the services it reads, at 60 frames per second. Frame() runs the input half
// of one frame the way the main loop does: frame update first, then the pump's key messages.
class InputFixture : public ::testing::Test {
protected:
    InputFixture() { time.FrameDelta = 1.0f / 60.0f; }

    template <class Pump> void Frame(Pump pump) {
        input.FrameUpdate();
        pump();
    }
    void Frame() { input.FrameUpdate(); }

    void Bind(Action action, Key key) { input.Mappings.emplace(action, key); }

    GraphicsManager graphics;
    GameTime time;
    Service<GraphicsManager>::Scoped graphicsService{graphics};
    Service<GameTime>::Scoped timeService{time};
    InputManager input;
};
