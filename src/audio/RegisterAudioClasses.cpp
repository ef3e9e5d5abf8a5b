#include "audio/RegisterAudioClasses.h"

#include "audio/CueComponent.h"
#include "audio/CueLoopedBhv.h"
#include "audio/CueManagerBhv.h"
#include "audio/CueOneShotBhv.h"
#include "reflection/ComponentRegistry.h"

void RegisterAudioClasses(ComponentRegistry& registry) {
    registry.Register<CueComponent>();
    registry.Register<CueLoopedBhv>();
    registry.Register<CueManagerBhv>();
    registry.Register<CueOneShotBhv>();
}
