#include "app/GameServices.h"

#include <box2d/b2_world.h>

#include "app/GameConfig.h"
#include "app/KeymapKeeper.h"
#include "app/LeavingGame.h"
#include "app/SessionRecorder.h"
#include "app/SettingsKeeper.h"
#include "assets/FontRegistry.h"
#include "assets/TextureManager.h"
#include "audio/MusicManager.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundManager.h"
#include "core/CoroutineManager.h"
#include "core/DestroyQueues.h"
#include "core/GameObject.h"
#include "core/GameTime.h"
#include "core/GraphicsManager.h"
#include "core/SceneRoots.h"
#include "editor/DevelopmentContent.h"
#include "editor/EditorState.h"
#include "enemies/damage/EnemyDamageHandlers.h"
#include "events/Events.h"
#include "input/InputManager.h"
#include "physics/B2DebugDrawer.h"
#include "physics/B2MainContactListener.h"
#include "physics/PhysicsWorld.h"
#include "platform/ClipboardBackend.h"
#include "prefabs/PrefabManager.h"
#include "saves/SlotFiles.h"
#include "world/RandomManager.h"
#include "world/TileGrid.h"

GameServices::GameServices(const Setup& setup)
    : Queues(std::make_unique<DestroyQueues>()), EventHub(std::make_unique<Events>()),
      ContactListener(std::make_unique<B2MainContactListener>()),
      DebugDrawer(std::make_unique<B2DebugDrawer>()),
      World(CreatePhysicsWorld(*ContactListener, *DebugDrawer)), Tiles(std::make_unique<TileGrid>()),
      Root(std::make_unique<GameObject>()),
      Roots(std::make_unique<SceneRoots>(SceneRoots{Root.get(), nullptr})),
      Random(std::make_unique<RandomManager>(setup.Seed)), Graphics(std::make_unique<GraphicsManager>()),
      Textures(std::make_unique<TextureManager>(setup.Content.string())),
      Fonts(std::make_unique<FontRegistry>(setup.Content.string())),
      Prefabs(std::make_unique<PrefabManager>()), Time(std::make_unique<GameTime>()),
      Input(std::make_unique<InputManager>()),
      Sounds(std::make_unique<SoundManager>(setup.SilentAudio ? AudioSystem::Device::Silent
                                                              : AudioSystem::Device::Default,
                                            (setup.Content / "Sounds").string())),
      Music(std::make_unique<MusicManager>((setup.Content / "Music").string())),
      MusicPlayback(std::make_unique<MusicPlayer>(Sounds->System(), *Music)),
      Coroutines(std::make_unique<CoroutineManager>()), EnemyDamage(std::make_unique<EnemyDamageHandlers>()),
      Editor(std::make_unique<EditorState>()), Config(std::make_unique<GameConfig>()),
      Development(std::make_unique<DevelopmentContent>()) {
    Textures->SetOverlayRoot(setup.Overlay.string());
}

GameServices::~GameServices() {
    Queues->Flush();
}
