#include "flow/RegisterFlowClasses.h"

#include "flow/boss/WorldEventsBhv.h"
#include "flow/music/GameMusicBhv.h"
#include "flow/stations/SupplyStationBhv.h"
#include "prefabs/ComponentRegistry.h"

void RegisterFlowClasses(ComponentRegistry& registry) {
    registry.Register<WorldEventsBhv>();
    registry.Register<SupplyStationBhv>();
    registry.Register<GameMusicBhv>();
}
