#include "player/RegisterPlayerClasses.h"

#include "player/items/AllItemsBhv.h"
#include "player/items/ForSaleItemsBhv.h"
#include "player/items/HealthItemBhv.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "player/items/ItemUnlockComponent.h"
#include "player/pickups/PickupFlashBhv.h"
#include "player/pickups/Pkup_HealthUpBhv.h"
#include "player/pickups/Pkup_HeartBhv.h"
#include "player/pickups/Pkup_ItemBhv.h"
#include "player/pickups/Pkup_MoneyBhv.h"
#include "player/pickups/Pkup_SpeedUpBhv.h"
#include "player/pickups/Pkup_StorageUpBhv.h"
#include "player/sub/GameplayScreenBhv.h"
#include "player/sub/SubBhv.h"
#include "player/sub/SubRootBhv.h"
#include "player/tools/BlockPlacerBhv.h"
#include "player/tools/BoostRocketBhv.h"
#include "player/tools/DrillBhv.h"
#include "player/tools/DrillTargetBhv.h"
#include "player/tools/ExplosiveBhv.h"
#include "player/tools/Item_BombBhv.h"
#include "player/tools/LiveBombBhv.h"
#include "player/tools/ShrimpZapperBhv.h"
#include "reflection/ComponentRegistry.h"

void RegisterPlayerClasses(ComponentRegistry& registry) {
    registry.Register<SubBhv>();
    registry.Register<SubRootBhv>();
    registry.Register<GameplayScreenBhv>();
    registry.Register<ItemComponent>();
    registry.Register<InventoryBhv>();
    registry.Register<AllItemsBhv>();
    registry.Register<ForSaleItemsBhv>();
    registry.Register<ItemUnlockComponent>();
    registry.Register<HealthItemBhv>();
    registry.Register<DrillBhv>();
    registry.Register<DrillTargetBhv>();
    registry.Register<BlockPlacerBhv>();
    registry.Register<BoostRocketBhv>();
    registry.Register<Item_BombBhv>();
    registry.Register<LiveBombBhv>();
    registry.Register<ExplosiveBhv>();
    registry.Register<ShrimpZapperBhv>();
    registry.Register<Pkup_MoneyBhv>();
    registry.Register<Pkup_HeartBhv>();
    registry.Register<Pkup_HealthUpBhv>();
    registry.Register<Pkup_SpeedUpBhv>();
    registry.Register<Pkup_StorageUpBhv>();
    registry.Register<Pkup_ItemBhv>();
    registry.Register<PickupFlashBhv>();
}
