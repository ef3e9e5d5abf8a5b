#include "physics/FrameOrder.h"

#include "core/DestroyQueues.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/ObjectPasses.h"
#include "physics/PhysicsWorld.h"

bool RunFrameOrder(const FrameScene& scene, float delta, const std::function<bool()>& readInput) {
    scene.Time.FrameDelta = delta;
    scene.Time.TotalTime += delta;
    if (readInput && !readInput()) {
        return false;
    }
    InputPass(scene.Root);
    BodyActivityPass(scene.GameplayRoot, scene.GameplayRoot.UpdateEnabled);
    StepPhysics(scene.World, scene.Time.FrameDelta, scene.FramesPerSecond);
    UpdatePass(scene.Root);
    scene.Queues.Flush();
    return true;
}
