#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <box2d/b2_body.h>

#include "GameScene.h"
#include "enemies/damage/EnemyComponent.h"
#include "physics/B2BodyComponent.h"
#include "player/items/InventoryBhv.h"
#include "player/items/ItemComponent.h"
#include "player/sub/SubBhv.h"
#include "world/things/ThingComponent.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/things/ThingRootBhv.h"
#include "world/tiles/TileTypeBhv.h"
#include "world/tiles/TileTypeTable.h"

namespace {

// The rules the player is promised, on the game's own gameplay scene with the shipped prefabs.
class GameRulesTest : public ::testing::Test, public GameScene {
protected:
    GameRulesTest() {
        inventory = WellKnown<InventoryBhv>::Get();
        things = WellKnown<ThingRootBhv>::Get();
    }

    std::vector<GameObject*> Things(const std::string& prefab) const {
        std::vector<GameObject*> found;
        for (ThingGridCellBhv* cell : things->Cells()) {
            for (GameObject* child : cell->Owner->Children) {
                if (child->PrefabName == prefab && !child->PendingDestroy) {
                    found.push_back(child);
                }
            }
        }
        return found;
    }
    std::vector<std::string> Held() const {
        std::vector<std::string> held;
        for (const GameObject* child : inventory->Owner->Children) {
            if (const ItemComponent* item = child->PendingDestroy ? nullptr : ItemOf(*child)) {
                held.push_back(child->PrefabName + " x" + std::to_string(item->Quantity));
            }
        }
        return held;
    }

    InventoryBhv* inventory = nullptr;
    ThingRootBhv* things = nullptr;
};

// Dying drops the cargo at the wreck and switches the submarine off in the same step, so the
// next physics step cannot pick it back up; after the respawn the hold has one plastic drill, the
// money stays and the cargo still lies where the submarine sank.
TEST_F(GameRulesTest, DeathLeavesTheCargoAtTheWreckAndTheHoldWithOneDrill) {
    GameObject* sub = Submarine();
    ASSERT_NE(sub, nullptr);
    sub->Body()->GetBody()->SetTransform(b2Vec2(40.5f, -1.5f), 0.0f);
    inventory->Money = 123;
    inventory->Health = 1;
    addItem(1, "Item_NukeFactory");
    addItem(7, "Item_Copper");
    RunFrame();

    applyDamage(1);
    RunFrame(); // the death routine's first step: drop and switch off
    EXPECT_EQ(Things("Pkup_Item").size(), 2u);
    EXPECT_FALSE(sub->UpdateEnabled);
    for (int frame = 0; frame < 10; ++frame) {
        RunFrame();
        ASSERT_TRUE(Held().empty()) << "the cargo came back at frame " << frame;
        ASSERT_EQ(Things("Pkup_Item").size(), 2u);
    }

    RunFrames(5 * 60);
    EXPECT_TRUE(sub->UpdateEnabled);
    EXPECT_EQ(Held(), std::vector<std::string>{"Item_PlasticDrill x1"});
    EXPECT_EQ(inventory->StorageUsed, 1);
    EXPECT_EQ(inventory->Money, 123);
    EXPECT_EQ(inventory->Health, inventory->HealthMax);
    EXPECT_NEAR(sub->GetPosition().x, 9.5f, 0.5f);
    const std::vector<GameObject*> wreck = Things("Pkup_Item");
    ASSERT_EQ(wreck.size(), 2u);
    for (const GameObject* pickup : wreck) {
        EXPECT_NEAR(pickup->GetPosition().x, 40.5f, 3.0f);
    }
}

// A chest let go by the tile below it frees its whole 2 x 2 block, as opening it does.
TEST_F(GameRulesTest, AReleasedChestFreesAllFourOfItsCells) {
    const std::vector<GameObject*> chests = Things("En_Chest");
    ASSERT_FALSE(chests.empty()) << "seed 7 places chests";
    GameObject* chest = chests.front();
    const Vector2 p = chest->GetPosition();
    const TileGrid::Cell lowerLeft = TileGrid::CellAt(p.x - 0.5f, p.y - 0.5f);
    const auto block = [&] {
        std::vector<int> codes;
        for (int dc = 0; dc <= 1; ++dc) {
            for (int dr = -1; dr <= 0; ++dr) {
                codes.push_back(grid.Get(lowerLeft.Column + dc, lowerLeft.Row + dr));
            }
        }
        return codes;
    };
    ASSERT_EQ(block(), (std::vector<int>{10, 10, 10, 10}));
    const int floorCode = grid.Get(lowerLeft.Column, lowerLeft.Row + 1);
    TileTypeBhv* floor = WellKnown<TileTypeTable>::Get()->Get(floorCode);
    ASSERT_NE(floor, nullptr) << "a chest stands on a solid tile, code " << floorCode;

    floor->DestroyTile(lowerLeft.Column, lowerLeft.Row + 1);
    EXPECT_FALSE(chest->Enemy()->HasTileType);
    EXPECT_EQ(block(), (std::vector<int>{0, 0, 0, 0}));
}

} // namespace
