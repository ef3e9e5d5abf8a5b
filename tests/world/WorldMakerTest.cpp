#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "WorldFixture.h"
#include "events/Events.h"
#include "events/GameEvents.h"
#include "world/generation/WorldMakerBhv.h"
#include "world/things/ThingComponent.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/things/ThingRootBhv.h"

namespace {

struct Spawned {
    std::string Prefab;
    float X, Y;
    bool operator==(const Spawned&) const = default;
};

class WorldMakerTest : public WorldFixture {
protected:
    WorldMakerTest() {
        AddPlainThing("BossGate");
        AddPlainThing("En_Chest");
        AddPlainThing("En_SeaUrchin");
        AddPlainThing("SupplyStation");
        things = new GameObject();
        thingRoot = new ThingRootBhv();
        things->AddComponent(thingRoot);
        root.AppendChild(things);
        thingRoot->SpawnInterval = 1e9f; // no enemy spawning in these tests
        thingRoot->Start();
        makerObject = new GameObject();
        maker = new WorldMakerBhv();
        makerObject->AddComponent(maker);
        root.AppendChild(makerObject);
        maker->B01BossStart = 205;
        maker->B01BossEnd = 225;
        // Both bands cover nothing: the grid keeps what a test put in it.
        maker->Params.B01StartDepth = maker->Params.B02StartDepth = 1;
    }

    // The shipped kind of values: open caves in two bands.
    void PlayableParameters() {
        WorldParameters& p = maker->Params;
        p = WorldParameters{6,     204, 0.56f, 0.42f, 24, 4, 1,   0.5f, 40, 0.3f, 6,    0.5f,  0.22f, 0.03f,
                            0.02f, 12,  0.35f, 0.08f, 3,  8, 226, 429,  20, 0.5f, 0.3f, 0.12f, 0.17f, 0.27f};
    }

    std::vector<Spawned> Things() const {
        std::vector<Spawned> out;
        for (ThingGridCellBhv* cell : thingRoot->Cells()) {
            for (GameObject* child : cell->Owner->Children) {
                if (!child->PendingDestroy) {
                    out.push_back({child->PrefabName, child->Thing()->Pos.x, child->Thing()->Pos.y});
                }
            }
        }
        return out;
    }
    int Count(const std::string& prefab) const {
        int n = 0;
        for (const Spawned& s : Things()) {
            n += s.Prefab == prefab ? 1 : 0;
        }
        return n;
    }

    GameObject* things = nullptr;
    ThingRootBhv* thingRoot = nullptr;
    GameObject* makerObject = nullptr;
    WorldMakerBhv* maker = nullptr;
};

TEST_F(WorldMakerTest, EmptyParametersLeaveOnlyTheBossRowsAndTwoGates) {
    Events events;
    Service<Events>::Scoped eventsScope(events);
    int raised = 0;
    events.Game->WorldGenerated.Subscribe(this, [&](void*) { ++raised; });
    maker->Generate();
    for (int r = 0; r < TileGrid::Rows; ++r) {
        for (int c = 0; c < TileGrid::Columns; ++c) {
            const bool wall = (r == 205 || r == 225) && (c < 71 || c > 78);
            ASSERT_EQ(grid.Get(c, r), wall ? 9 : 0) << c << ", " << r;
        }
    }
    const std::vector<Spawned> spawned = Things();
    ASSERT_EQ(spawned.size(), 2u);
    EXPECT_EQ(spawned[0], (Spawned{"BossGate", 75.0f, -205.5f}));
    EXPECT_EQ(spawned[1], (Spawned{"BossGate", 75.0f, -225.5f}));
    EXPECT_EQ(raised, 1);
    events.Game->WorldGenerated.Unsubscribe(this);
}

TEST_F(WorldMakerTest, ANewWorldClearsTheThingsButKeepsSupplyStations) {
    thingRoot->SpawnThing("SupplyStation", {14, -14});
    thingRoot->SpawnThing("En_Chest", {20, -14});
    maker->Generate();
    maker->Generate();
    queues.Flush();
    EXPECT_EQ(Count("SupplyStation"), 1);
    EXPECT_EQ(Count("En_Chest"), 0);
    EXPECT_EQ(Count("BossGate"), 2);
}

TEST_F(WorldMakerTest, ChestsNeedASolidFloorOffTheBossRowsAndRoomForTwoColumns) {
    WorldParameters& p = maker->Params;
    p.ChestDensity = 1.0f;
    p.ChestOverhangMin = 1;
    p.ChestOverhangMax = 20;
    // A floor across the whole of row 100 under a ceiling at row 90: chests side by side, the last
    // starting at column 148. (Over the ceiling the open height runs to the sky, past any limit.)
    for (int c = 0; c < TileGrid::Columns; ++c) {
        grid.Set(c, 100, 1);
        grid.Set(c, 90, 1);
    }
    // Row 300: floor under column 149 alone, no room for a 2 x 2 chest.
    grid.Set(149, 300, 1);
    maker->Generate();
    for (int c = 0; c < TileGrid::Columns; ++c) {
        EXPECT_EQ(grid.Get(c, 99), 10);
        EXPECT_EQ(grid.Get(c, 98), 10);
    }
    EXPECT_EQ(grid.Get(149, 299), 0);
    // The boss walls are floors too, but never for chests; the gaps hold no floor at all.
    for (int c = 0; c < TileGrid::Columns; ++c) {
        EXPECT_EQ(grid.Get(c, 204), 0);
        EXPECT_EQ(grid.Get(c, 224), 0);
    }
    EXPECT_EQ(Count("En_Chest"), 75);
    for (const Spawned& s : Things()) {
        if (s.Prefab == "En_Chest") {
            EXPECT_EQ(s.Y, -99.0f);
            EXPECT_LT(s.X, 150.0f);
        }
    }
}

TEST_F(WorldMakerTest, TheOverhangLimitsCountTheOpenCellsAboveBothColumns) {
    WorldParameters& p = maker->Params;
    p.ChestDensity = 1.0f;
    // Floor under columns 10 and 11 at row 50, ceiling at row 44: open rows 45..49, height 5.
    for (int c = 10; c <= 11; ++c) {
        grid.Set(c, 50, 1);
        grid.Set(c, 44, 1);
    }
    p.ChestOverhangMin = 6;
    p.ChestOverhangMax = 10;
    maker->Generate();
    EXPECT_EQ(grid.Get(10, 49), 0);
    p.ChestOverhangMin = 5;
    p.ChestOverhangMax = 5;
    maker->Generate();
    EXPECT_EQ(grid.Get(10, 49), 10);
    EXPECT_EQ(grid.Get(11, 48), 10);
}

TEST_F(WorldMakerTest, UrchinsTakeFreeFloorCellsWithOddsOne) {
    maker->Params.B01UrchinDensity = 1.0f;
    for (int c = 0; c < 5; ++c) {
        grid.Set(c, 10, 2);
    }
    maker->Generate();
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(grid.Get(c, 9), 5);
    }
    EXPECT_EQ(grid.Get(5, 9), 0);
    // The chamber floor is the lower boss row: urchins stand on it outside the gap.
    EXPECT_EQ(grid.Get(0, 224), 5);
    EXPECT_EQ(grid.Get(75, 224), 0);
    EXPECT_EQ(Count("En_SeaUrchin"), 5 + 2 * (150 - 8));
}

TEST_F(WorldMakerTest, TheBottomRowsOfBandTwoCloseIntoRock) {
    WorldParameters& p = maker->Params;
    p.B02StartDepth = 401;
    p.B02EndDepth = 429;
    p.B02NoiseSize = 20;
    p.B02NoisePersistance = 0.5f;
    p.B02RockDensity = 0.04f;
    maker->Generate();
    int rockTop = 0;
    for (int c = 0; c < TileGrid::Columns; ++c) {
        EXPECT_EQ(grid.Get(c, 429), 12) << c; // |V| <= 1/30 there
        rockTop += grid.Get(c, 401) == 12 ? 1 : 0;
    }
    EXPECT_LT(rockTop, TileGrid::Columns);
}

TEST_F(WorldMakerTest, TheSameSeedGivesTheSameWorldAndAnotherSeedAnother) {
    PlayableParameters();
    random.Seed(7);
    maker->Generate();
    queues.Flush();
    const auto firstGrid = grid.Codes();
    const std::vector<Spawned> firstThings = Things();
    random.Seed(7);
    maker->Generate();
    queues.Flush();
    EXPECT_EQ(grid.Codes(), firstGrid);
    EXPECT_EQ(Things(), firstThings);
    EXPECT_GT(Count("En_Chest"), 0);
    EXPECT_GT(Count("En_SeaUrchin"), 0);
    random.Seed(8);
    maker->Generate();
    EXPECT_NE(grid.Codes(), firstGrid);

    // The caves are open: a fair share of water in both bands, and every code of the table in use.
    int water = 0;
    std::vector<int> seen(14, 0);
    for (uint8_t code : grid.Codes()) {
        water += code == 0 ? 1 : 0;
        ++seen[code];
    }
    EXPECT_GT(water, TileGrid::Columns * TileGrid::Rows / 4);
    for (int code = 0; code < 14; ++code) {
        EXPECT_GT(seen[code], 0) << code;
    }
}

TEST_F(WorldMakerTest, AnyParametersGenerateWithoutACrashOrAHang) {
    std::mt19937 engine(99);
    const float specials[] = {0.0f,
                              -0.0f,
                              1.0f,
                              -1.0f,
                              1e-30f,
                              1e30f,
                              -1e30f,
                              std::numeric_limits<float>::infinity(),
                              std::numeric_limits<float>::quiet_NaN()};
    const int intSpecials[] = {0,
                               -1,
                               1,
                               429,
                               430,
                               100000,
                               -100000,
                               std::numeric_limits<int>::max(),
                               std::numeric_limits<int>::min()};
    auto anyFloat = [&]() {
        if (engine() % 3 == 0) {
            return specials[engine() % std::size(specials)];
        }
        return std::uniform_real_distribution<float>(-2.0f, 40.0f)(engine);
    };
    auto anyInt = [&]() {
        if (engine() % 3 == 0) {
            return intSpecials[engine() % std::size(intSpecials)];
        }
        return static_cast<int>(engine() % 500) - 30;
    };
#ifdef KELVANE_SANITIZE
    const int runs = 12;
#else
    const int runs = 60;
#endif
    for (int run = 0; run < runs; ++run) {
        WorldParameters& p = maker->Params;
        p = WorldParameters{
            anyInt(),        anyInt(),   anyFloat(), anyFloat(),      anyFloat(), anyFloat(), anyFloat(),
            anyFloat(),      anyFloat(), anyFloat(), anyFloat(),      anyFloat(), anyFloat(), anyFloat() / 40,
            anyFloat() / 40, anyFloat(), anyFloat(), anyFloat() / 40, anyInt(),   anyInt(),   anyInt(),
            anyInt(),        anyFloat(), anyFloat(), anyFloat(),      anyFloat(), anyFloat(), anyFloat()};
        maker->B01BossStart = anyInt();
        maker->B01BossEnd = anyInt();
        maker->Generate();
        queues.Flush();
    }
    SUCCEED();
}

} // namespace
