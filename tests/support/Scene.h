#pragma once

#include <memory>

#include <box2d/box2d.h>

#include "core/CoroutineManager.h"
#include "core/DestroyQueues.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/ObjectPasses.h"
#include "core/Service.h"
#include "physics/B2DebugDrawer.h"
#include "physics/B2MainContactListener.h"
#include "physics/FrameOrder.h"
#include "physics/PhysicsWorld.h"
#include "prefabs/PrefabManager.h"

// The services a scene needs, wired as the game wires them and installed while it lives: game time
// at 1/60 s frames, coroutines, the destroy queues, a prefab manager (empty until loaded) and the
// physics world. `root` stands for "GameplayRoot". Objects made outside the tree must go before the
// scene (locals declared after it do).
struct Scene {
    Scene() {
        time.FrameDelta = 1.0f / 60.0f;
        root.Name = "GameplayRoot";
    }
    // Objects still queued go at a flush, as in a frame, before the tree does: never twice.
    ~Scene() { queues.Flush(); }

    // One frame of the game's loop without input reading or drawing, at the current FrameDelta.
    void RunFrame() { RunFrameOrder({time, root, root, *world, queues}, time.FrameDelta); }
    void RunFrames(int frames) {
        for (int i = 0; i < frames; ++i) {
            RunFrame();
        }
    }

    // Deletes every object under root now: for owners of services declared after the scene, whose
    // objects must go while those services still live.
    void ClearTree() {
        queues.Flush();
        while (!root.Children.empty()) {
            delete root.Children.back();
        }
    }

    GameTime time;
    CoroutineManager coroutines;
    DestroyQueues queues;
    PrefabManager prefabs;
    Service<GameTime>::Scoped timeScope{time};
    Service<CoroutineManager>::Scoped coroutineScope{coroutines};
    Service<DestroyQueues>::Scoped queueScope{queues};
    Service<PrefabManager>::Scoped prefabScope{prefabs};

    B2MainContactListener listener;
    B2DebugDrawer drawer;
    std::unique_ptr<b2World> world = CreatePhysicsWorld(listener, drawer);
    Service<b2World>::Scoped worldScope{*world};

    // Declared last so the tree goes first, before the world its bodies live in.
    GameObject root;
};
