#include "core/CoroutineManager.h"

#include "core/Behavior.h"
#include "core/GameTime.h"
#include "core/Service.h"

void CoroutineManager::UpdateCoroutines(Behavior& behavior) {
    const float delta = Service<GameTime>::Get().FrameDelta;
    // A step may start another coroutine; map insertion keeps this walk valid, and a larger id is
    // reached later in the same walk.
    for (auto& [id, co] : behavior.Coroutines) {
        if (!co->Running) {
            continue;
        }
        if (co->WaitSeconds > 0.0f) {
            co->WaitSeconds -= delta;
        }
        if (co->WaitFrames > 0) {
            co->WaitFrames -= 1;
        }
        if (co->WaitSeconds <= 0.0f && co->WaitFrames <= 0) {
            ResumeCoroutine(*co);
        }
    }
}
