// Prefab files: any bytes either are refused with a ContentError, or load, save, pass the start-up
// checks against the other prefabs, and build an object that lives a few frames in a scene wired
// as the game wires it.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include <box2d/box2d.h>

#include "assets/FontRegistry.h"
#include "assets/TextureManager.h"
#include "audio/RegisterAudioClasses.h"
#include "audio/SoundManager.h"
#include "components/RegisterComponentsClasses.h"
#include "core/ContentError.h"
#include "core/ContentFolder.h"
#include "core/CoroutineManager.h"
#include "core/DestroyQueues.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/GraphicsManager.h"
#include "core/ObjectPasses.h"
#include "core/RegisterCoreClasses.h"
#include "core/Service.h"
#include "input/InputManager.h"
#include "physics/B2DebugDrawer.h"
#include "physics/B2MainContactListener.h"
#include "physics/PhysicsWorld.h"
#include "physics/RegisterPhysicsClasses.h"
#include "prefabs/PrefabManager.h"

namespace {

void RegisterEngineClasses(ComponentRegistry& registry) {
    RegisterCoreClasses(registry);
    RegisterAudioClasses(registry);
    RegisterComponentsClasses(registry);
    RegisterPhysicsClasses(registry);
}

// The engine's services, installed for the whole run; no banks are loaded, so texture, font and
// sound names find nothing.
struct Scene {
    Scene() {
        time.FrameDelta = 1.0f / 60.0f;
        root.Name = "GameplayRoot";
        RegisterEngineClasses(prefabs.Registry);
        RegisterPrefabClasses(prefabs.Registry);
        prefabs.Registry.BuildPrototypes();
        LoadContentPrefabs();
    }

    // The content prefabs that the engine's classes can read, as children for the fuzzed prefab's
    // AutoCreates; those naming prefabs left out are left out too, until the set holds together.
    void LoadContentPrefabs() {
        const auto folder = std::filesystem::path(KELVANE_SOURCE_DIR) / "content" / "Prefabs";
        try {
            for (const auto& path : ListContentFiles(folder)) {
                std::ifstream in(path, std::ios::binary);
                try {
                    prefabs.Prefabs[path.stem().string()] =
                        prefabs.ReadPrefab(path.stem().string(), in, path.string());
                } catch (const ContentError&) {
                }
            }
        } catch (const ContentError&) {
        }
        for (bool pruned = true; pruned;) {
            pruned = false;
            for (auto it = prefabs.Prefabs.begin(); it != prefabs.Prefabs.end();) {
                bool complete = true;
                for (const auto& entry : it->second->AutoCreates)
                    complete = complete && prefabs.Prefabs.count(entry->PrefabName);
                it = complete ? std::next(it) : prefabs.Prefabs.erase(it);
                pruned = pruned || !complete;
            }
        }
    }

    void RunFrame() {
        time.TotalTime += time.FrameDelta;
        InputPass(root);
        BodyActivityPass(root, true);
        StepPhysics(*world, time.FrameDelta, 60);
        UpdatePass(root);
        queues.Flush();
    }

    GameTime time;
    CoroutineManager coroutines;
    DestroyQueues queues;
    PrefabManager prefabs;
    GraphicsManager graphics;
    InputManager input;
    TextureManager textures{"no-such-folder"};
    Service<TextureLookup>::Scoped texturesLookup{textures};
    FontRegistry fonts{"no-such-folder"};
    Service<FontLookup>::Scoped fontsLookup{fonts};
    SoundManager sounds{AudioSystem::Device::Silent, "no-such-folder"};
    Service<GameTime>::Scoped timeScope{time};
    Service<CoroutineManager>::Scoped coroutineScope{coroutines};
    Service<DestroyQueues>::Scoped queueScope{queues};
    Service<PrefabManager>::Scoped prefabScope{prefabs};
    Service<GraphicsManager>::Scoped graphicsScope{graphics};
    Service<InputManager>::Scoped inputScope{input};
    Service<SoundManager>::Scoped soundScope{sounds};
    B2MainContactListener listener;
    B2DebugDrawer drawer;
    std::unique_ptr<b2World> world = CreatePhysicsWorld(listener, drawer);
    Service<b2World>::Scoped worldScope{*world};
    GameObject root;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Scene* scene = new Scene; // lives for the process: the fuzzer never returns to main
    PrefabManager& prefabs = scene->prefabs;
    std::istringstream json(std::string(reinterpret_cast<const char*>(data), size));
    std::unique_ptr<Prefab> prefab;
    try {
        prefab = prefabs.ReadPrefab("Fuzz", json, "Fuzz.json");
    } catch (const ContentError&) {
        return 0;
    }
    prefabs.WritePrefab(*prefab);
    prefabs.Prefabs["Fuzz"] = std::move(prefab);
    try {
        prefabs.CheckAutoCreates(prefabs.Prefabs);
    } catch (const ContentError&) {
        prefabs.Prefabs.erase("Fuzz");
        return 0;
    }
    auto* object = new GameObject("Fuzz");
    scene->root.AppendChild(object);
    for (int frame = 0; frame < 3; ++frame)
        scene->RunFrame();
    object->DestroyLater();
    scene->queues.Flush();
    prefabs.Prefabs.erase("Fuzz");
    return 0;
}
