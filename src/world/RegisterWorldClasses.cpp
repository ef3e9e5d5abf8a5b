#include "world/RegisterWorldClasses.h"

#include "reflection/ComponentRegistry.h"
#include "world/generation/WorldMakerBhv.h"
#include "world/scenery/SceneryCollisionBlockBhv.h"
#include "world/scenery/SceneryCollisionManagerBhv.h"
#include "world/things/RandomDropBhv.h"
#include "world/things/ThingComponent.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/things/ThingPosUpdateBhv.h"
#include "world/things/ThingRootBhv.h"
#include "world/tiles/TileDisplayManagerBhv.h"
#include "world/tiles/TileSpriteBhv.h"
#include "world/tiles/TileTypeBhv.h"
#include "world/tiles/TileTypesRootBhv.h"
#include "world/tiles/WaterShadeBhv.h"

void RegisterWorldClasses(ComponentRegistry& registry) {
    registry.Register<WorldMakerBhv>();
    registry.Register<TileTypeBhv>();
    registry.Register<TileTypesRootBhv>();
    registry.Register<WaterShadeBhv>();
    registry.Register<TileSpriteBhv>();
    registry.Register<TileDisplayManagerBhv>();
    registry.Register<ThingComponent>();
    registry.Register<ThingPosUpdateBhv>();
    registry.Register<ThingGridCellBhv>();
    registry.Register<ThingRootBhv>();
    registry.Register<RandomDropBhv>();
    registry.Register<SceneryCollisionBlockBhv>();
    registry.Register<SceneryCollisionManagerBhv>();
}
