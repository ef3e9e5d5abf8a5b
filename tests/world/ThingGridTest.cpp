#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <box2d/b2_body.h>

#include "CountThings.h"
#include "WorldFixture.h"
#include "core/GraphicsManager.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"
#include "world/things/RandomDropBhv.h"
#include "world/things/ThingComponent.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/things/ThingPosUpdateBhv.h"
#include "world/things/ThingRootBhv.h"

namespace {

class ThingGridTest : public WorldFixture {
protected:
    ThingGridTest() {
        AddPlainThing("Thing");
        AddBodyThing("Mover");
        AddBodyThing("Pkup_Money1");
        AddBodyThing("Pkup_Item");
        AddPrefab("Item_Copper", R"({"Components": "", "AutoCreate": ""})"); // dropped items need a prefab
        AddPlainThing("En_SeaUrchin");
        AddPrefab("NotAThing", R"({"Components": {"Pos2dComponent": ""}, "AutoCreate": ""})");
        AddPrefab("ThingsIncoming", R"({"Components": "", "AutoCreate": ""})");
        things = new GameObject();
        auto* incoming = new GameObject("ThingsIncoming");
        things->AppendChild(incoming);
        thingRoot = new ThingRootBhv();
        things->AddComponent(thingRoot);
        root.AppendChild(things);
        thingRoot->SpawnInterval = 1e9f;
        thingRoot->Start();
    }

    int CellOf(const GameObject* thing) const {
        for (size_t i = 0; i < thingRoot->Cells().size(); ++i) {
            if (thing->Parent == thingRoot->Cells()[i]->Owner) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    int CountThings(const std::string& prefab) const { return ::CountThings(*thingRoot, prefab); }
    // Fills the grid with rock.
    void AllRock() {
        for (int c = 0; c < TileGrid::Columns; ++c) {
            for (int r = 0; r < TileGrid::Rows; ++r) {
                grid.Set(c, r, 2);
            }
        }
    }

    GameObject* things = nullptr;
    ThingRootBhv* thingRoot = nullptr;
};

TEST_F(ThingGridTest, ThingsAreFiledByPositionClampedIntoTheBorderCells) {
    ASSERT_EQ(thingRoot->Cells().size(), 90u);
    EXPECT_EQ(thingRoot->Cells()[7]->Bounds, Rect(30, -60, 30, 30));
    EXPECT_EQ(CellOf(thingRoot->SpawnThing("Thing", {-5, -40})), 6);
    EXPECT_EQ(CellOf(thingRoot->SpawnThing("Thing", {400, -40})), 11);
    EXPECT_EQ(CellOf(thingRoot->SpawnThing("Thing", {45, 10})), 1);
    EXPECT_EQ(CellOf(thingRoot->SpawnThing("Thing", {45, -1000})), 85);
    // Unknown prefabs and objects that are not things give nothing.
    EXPECT_EQ(thingRoot->SpawnThing("Nope", {1, -1}), nullptr);
    EXPECT_EQ(thingRoot->SpawnPickup("Nope", {1, -1}), nullptr);
    prefabs.Prefabs.erase("Pkup_Item");
    EXPECT_EQ(thingRoot->SpawnItemPickup(1, "Item_Copper", {1, -1}), nullptr);
    EXPECT_EQ(thingRoot->SpawnThing("NotAThing", {1, -1}), nullptr);
    queues.Flush();
}

TEST_F(ThingGridTest, MovingThingsAreRefiledAndIncomingThingsFiled) {
    GameObject* mover = thingRoot->SpawnThing("Mover", {10, -10});
    mover->AddComponent(new ThingPosUpdateBhv());
    mover->Body()->SetPosition(40, -10);
    RunFrame(); // the position follows the body this frame, the filing the next
    RunFrame();
    EXPECT_EQ(CellOf(mover), 1);

    auto* late = new GameObject("Thing");
    late->Thing()->Pos = {70, -35};
    thingRoot->Incoming()->AppendChild(late);
    RunFrame();
    EXPECT_EQ(CellOf(late), 8);
}

TEST_F(ThingGridTest, OnlyCellsAroundTheCameraRun) {
    RunFrame(); // default camera at (30, -22.5): columns -1..3 and rows -2..2 are active
    for (int i = 0; i < 90; ++i) {
        const bool active = i % 6 <= 3 && i / 6 <= 2;
        const GameObject* cell = thingRoot->Cells()[i]->Owner;
        EXPECT_EQ(cell->UpdateEnabled, active) << i;
        EXPECT_EQ(cell->DrawEnabled, active) << i;
    }
    EXPECT_EQ(thingRoot->ActiveArea(), Rect(0, -90, 120, 90));
}

TEST_F(ThingGridTest, ThingsInRockArePushedToTheNearestFreeCellOrToTheStart) {
    AllRock();
    grid.Set(43, 20, 0); // three cells right of (40, 20)
    grid.Set(40, 15, 0); // five above: further
    GameObject* buried = thingRoot->SpawnThing("Mover", TileGrid::CellCentre(40, 20));
    RunFrame();
    EXPECT_EQ(buried->Thing()->Pos, TileGrid::CellCentre(43, 20));
    EXPECT_EQ(buried->Body()->GetPosition(), TileGrid::CellCentre(43, 20));

    grid.Set(43, 20, 2);
    grid.Set(40, 15, 2);
    grid.Set(51, 20, 0); // eleven away: beyond the search
    GameObject* deep = thingRoot->SpawnThing("Mover", TileGrid::CellCentre(40, 20));
    RunFrame();
    EXPECT_EQ(deep->Thing()->Pos, Vector2(1, -1));
}

TEST_F(ThingGridTest, EnemiesNeverSpawnOnScreenButUrchinsDoOffScreen) {
    for (int c = 0; c < TileGrid::Columns; ++c) {
        for (int r = 1; r < TileGrid::Rows; r += 2) {
            grid.Set(c, r, 2); // every other row a floor
        }
    }
    GraphicsManager graphics;
    Service<GraphicsManager>::Scoped graphicsScope(graphics);
    graphics.WorldCamera.Size = {400, 400};
    graphics.WorldCamera.Position = {75, -45};
    RunFrame();
    for (int i = 0; i < 500; ++i) {
        thingRoot->TrySpawnEnemy();
    }
    EXPECT_EQ(CountThings("En_SeaUrchin"), 0);

    graphics.WorldCamera.Size = {60, 45};
    graphics.WorldCamera.Position = {30, -22.5f};
    RunFrame();
    for (int i = 0; i < 500; ++i) {
        thingRoot->TrySpawnEnemy();
    }
    EXPECT_GT(CountThings("En_SeaUrchin"), 0);
    for (ThingGridCellBhv* cell : thingRoot->Cells()) {
        int urchins = 0;
        for (GameObject* child : cell->Owner->Children) {
            const Vector2 p = child->Thing()->Pos;
            EXPECT_FALSE(p.x >= 0 && p.x <= 60 && p.y >= -45 && p.y <= 0);
            const TileGrid::Cell at = TileGrid::CellAt(p.x, p.y);
            EXPECT_EQ(grid.Get(at.Column, at.Row), 5);
            ++urchins;
        }
        EXPECT_LE(urchins, 15);
    }
}

TEST_F(ThingGridTest, TheSquareQueryFindsWhatStandsOnATileAndNotItsNeighbours) {
    // What DestroyTile(10, 10) asks: the square of half-size 0.2 around the centre of the cell above.
    GameObject* onTop = thingRoot->SpawnThing("Mover", TileGrid::CellCentre(10, 9));
    GameObject* beside = thingRoot->SpawnThing("Mover", TileGrid::CellCentre(11, 9));
    std::vector<B2FixtureComponent*> found;
    ThingRootBhv::QueryFixturesInSquare({10.5f, -10.0f + 0.5f}, 0.2f, found);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]->Owner, onTop);
    found.clear();
    ThingRootBhv::QueryFixturesInSquare(TileGrid::CellCentre(11, 9), 0.2f, found);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]->Owner, beside);
}

class RandomDropTest : public ThingGridTest {
protected:
    RandomDropTest() {
        dropper = new GameObject();
        dropper->PrefabName = "En_Test";
        drop = new RandomDropBhv();
        dropper->AddComponent(drop);
        root.AppendChild(dropper);
        drop->NoDropWeight = 0.0f;
        drop->Drop1Weight = 1.0f;
    }
    int MoneyFrom(const std::string& name) {
        drop->Drop1Name = name;
        const int before = CountThings("Pkup_Money1");
        drop->Drop({20, -20});
        return CountThings("Pkup_Money1") - before;
    }

    GameObject* dropper = nullptr;
    RandomDropBhv* drop = nullptr;
};

TEST_F(RandomDropTest, MoneyNamesGiveTheirRangeAndMalformedOnesNothing) {
    std::set<int> seen;
    for (int i = 0; i < 60; ++i) {
        const int n = MoneyFrom("Money_3to5");
        ASSERT_GE(n, 3);
        ASSERT_LE(n, 5);
        seen.insert(n);
    }
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_EQ(MoneyFrom("Money_5to3"), 5);
    EXPECT_EQ(MoneyFrom("Money_"), 0);
    EXPECT_EQ(MoneyFrom("Money_3to"), 0);
    EXPECT_EQ(MoneyFrom("Money_3to5x"), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(MoneyFrom("Money_1to99999999999"), 0);
    const std::string warning = testing::internal::GetCapturedStderr();
    EXPECT_NE(warning.find("En_Test"), std::string::npos) << warning;
    EXPECT_EQ(std::count(warning.begin(), warning.end(), '\n'), 1);
}

TEST_F(RandomDropTest, WeightsChooseAndNothingDropsWithoutWeight) {
    drop->NoDropWeight = 1.0f;
    drop->Drop1Weight = 0.0f;
    drop->Drop1Name = "Pkup_Money1";
    for (int i = 0; i < 50; ++i) {
        drop->Drop({20, -20});
    }
    EXPECT_EQ(CountThings("Pkup_Money1"), 0);
    drop->NoDropWeight = 0.0f;
    drop->Drop2Name = "Item_Copper";
    drop->Drop2Weight = 1.0f;
    drop->Drop({20, -20});
    EXPECT_EQ(CountThings("Pkup_Item"), 1);
    // A kicked pickup moves at "PickupRandomVel".
    for (ThingGridCellBhv* cell : thingRoot->Cells()) {
        for (GameObject* child : cell->Owner->Children) {
            EXPECT_NEAR(child->Body()->GetBody()->GetLinearVelocity().Length(), 1.0f, 1e-5f);
        }
    }
}

} // namespace
