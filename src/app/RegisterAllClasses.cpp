#include "app/RegisterAllClasses.h"

#include "audio/RegisterAudioClasses.h"
#include "components/RegisterComponentsClasses.h"
#include "core/RegisterCoreClasses.h"
#include "editor/RegisterEditorClasses.h"
#include "enemies/RegisterEnemiesClasses.h"
#include "flow/RegisterFlowClasses.h"
#include "physics/RegisterPhysicsClasses.h"
#include "player/RegisterPlayerClasses.h"
#include "ui/RegisterUiClasses.h"
#include "world/RegisterWorldClasses.h"

void RegisterAllClasses(ComponentRegistry& registry) {
    RegisterCoreClasses(registry);
    RegisterAudioClasses(registry);
    RegisterComponentsClasses(registry);
    RegisterPhysicsClasses(registry);
    RegisterWorldClasses(registry);
    RegisterPlayerClasses(registry);
    RegisterEnemiesClasses(registry);
    RegisterFlowClasses(registry);
    RegisterUiClasses(registry);
    RegisterEditorClasses(registry);
}
