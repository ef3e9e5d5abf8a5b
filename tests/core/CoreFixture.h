#pragma once

#include <gtest/gtest.h>

#include "core/CoroutineManager.h"
#include "core/DestroyQueues.h"
#include "core/GameTime.h"
#include "core/Service.h"

// The services the object model uses, installed for one test.
class CoreFixture : public ::testing::Test {
protected:
    CoreFixture() { time.FrameDelta = 1.0f / 60.0f; }

    GameTime time;
    CoroutineManager coroutines;
    DestroyQueues queues;
    Service<GameTime>::Scoped timeScope{time};
    Service<CoroutineManager>::Scoped coroutineScope{coroutines};
    Service<DestroyQueues>::Scoped queueScope{queues};
};
