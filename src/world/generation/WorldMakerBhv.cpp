#include "world/generation/WorldMakerBhv.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "enemies/boss/BossGateBhv.h"
#include "events/Events.h"
#include "events/GameEvents.h"
#include "flow/boss/WorldEventsBhv.h"
#include "world/RandomManager.h"
#include "world/TileGrid.h"
#include "world/generation/Noise.h"
#include "world/scenery/SceneryCollisionManagerBhv.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/things/ThingRootBhv.h"
#include "world/tiles/TileTypeTable.h"

namespace {

// Tile codes the generator writes.
enum Code : uint8_t {
    Water = 0,
    B1Terrain = 1,
    B1Rock = 2,
    B1TerrainMineral1 = 3,
    B1RockMineral1 = 4,
    Urchin = 5,
    B1TerrainBuried = 6,
    B1RockBuried = 7,
    Silver = 8,
    BossWall = 9,
    Chest = 10,
    B2Terrain = 11,
    B2Rock = 12,
    B2Mineral2 = 13,
};

} // namespace

WorldMakerBhv::WorldMakerBhv() {
    WorldParameters& p = Params;
    RegisterProperty("B01StartDepth", &p.B01StartDepth);
    RegisterProperty("B01EndDepth", &p.B01EndDepth);
    RegisterProperty("B01TerrainDensity", &p.B01TerrainDensity);
    RegisterProperty("B01RockDensity", &p.B01RockDensity);
    RegisterProperty("B01NoiseSize", &p.B01NoiseSize);
    RegisterProperty("B01NoiseOctaves", &p.B01NoiseOctaves);
    RegisterProperty("B01NoiseOctaveScale", &p.B01NoiseOctaveScale);
    RegisterProperty("B01NoisePersistance", &p.B01NoisePersistance);
    RegisterProperty("B01DensityFadeIn", &p.B01DensityFadeIn);
    RegisterProperty("B01M1Density", &p.B01M1Density);
    RegisterProperty("B01M1NoiseSize", &p.B01M1NoiseSize);
    RegisterProperty("B01M1NoiseOctPers", &p.B01M1NoiseOctPers);
    RegisterProperty("B01M3Density", &p.B01M3Density);
    RegisterProperty("B01UrchinDensity", &p.B01UrchinDensity);
    RegisterProperty("B01BuriedOdds", &p.B01BuriedOdds);
    RegisterProperty("B01BossStart", &B01BossStart);
    RegisterProperty("B01BossEnd", &B01BossEnd);
    RegisterProperty("BossGateZoneSize", &p.BossGateZoneSize);
    RegisterProperty("BossGateZoneFactor", &p.BossGateZoneFactor);
    RegisterProperty("ChestDensity", &p.ChestDensity);
    RegisterProperty("ChestOverhangMin", &p.ChestOverhangMin);
    RegisterProperty("ChestOverhangMax", &p.ChestOverhangMax);
    RegisterProperty("B02StartDepth", &p.B02StartDepth);
    RegisterProperty("B02EndDepth", &p.B02EndDepth);
    RegisterProperty("B02NoiseSize", &p.B02NoiseSize);
    RegisterProperty("B02NoisePersistance", &p.B02NoisePersistance);
    RegisterProperty("B02TerrainDensity", &p.B02TerrainDensity);
    RegisterProperty("B02RockDensity", &p.B02RockDensity);
    RegisterProperty("B02M1Density", &p.B02M1Density);
    RegisterProperty("B02M2Density", &p.B02M2Density);
}

WorldMakerBhv::~WorldMakerBhv() {
    WellKnown<WorldMakerBhv>::ClearIf(this);
}

void WorldMakerBhv::Start() {
    WellKnown<WorldMakerBhv>::Register(this);
    Generate();
}

void WorldMakerBhv::Generate() {
    RandomManager* random = Service<RandomManager>::TryGet();
    TileGrid* grid = Service<TileGrid>::TryGet();
    if (!random || !grid) {
        return;
    }
    if (SceneryCollisionManagerBhv* scenery = WellKnown<SceneryCollisionManagerBhv>::Get()) {
        scenery->MarkAllSceneryDirty();
    }
    ThingRootBhv* things = WellKnown<ThingRootBhv>::Get();
    if (things) {
        for (ThingGridCellBhv* cell : things->Cells()) {
            if (!cell->Owner) {
                continue;
            }
            for (GameObject* thing : cell->Owner->Children) {
                // Supply stations outlive worlds: they are content, never re-created.
                if (thing->PrefabName != "SupplyStation") {
                    thing->DestroyLater();
                }
            }
        }
    }

    GenerateTiles(*random, *grid);
    SpawnGatesAndApplyBossState();
    if (Events* events = Service<Events>::TryGet()) {
        events->Game->WorldGenerated.Raise();
    }
}

void WorldMakerBhv::SpawnGatesAndApplyBossState() {
    GameObject* upperGate = nullptr;
    GameObject* lowerGate = nullptr;
    if (ThingRootBhv* things = WellKnown<ThingRootBhv>::Get()) {
        // The gates stand in the middles of the gaps of the two boss rows.
        upperGate = things->SpawnThing("BossGate", {75.0f, -static_cast<float>(B01BossStart) - 0.5f});
        lowerGate = things->SpawnThing("BossGate", {75.0f, -static_cast<float>(B01BossEnd) - 0.5f});
    }
    if (WorldEventsBhv* worldEvents = WellKnown<WorldEventsBhv>::Get()) {
        worldEvents->upperGate = upperGate ? upperGate->GetComponentOfType<BossGateBhv>() : nullptr;
        worldEvents->lowerGate = lowerGate ? lowerGate->GetComponentOfType<BossGateBhv>() : nullptr;
        worldEvents->ApplyBossState();
    }
}

float WorldMakerBhv::RowFade(int row) const {
    const WorldParameters& p = Params;
    const float r = static_cast<float>(row);
    const float bossStart = static_cast<float>(B01BossStart);
    const float bossEnd = static_cast<float>(B01BossEnd);
    if (r < p.B01DensityFadeIn) {
        return 1.0f - r / p.B01DensityFadeIn;
    }
    if (bossStart - p.BossGateZoneSize < r && r < bossStart) {
        return (1.0f - (bossStart - r) / p.BossGateZoneSize) * p.BossGateZoneFactor;
    }
    if (bossEnd < r && r <= bossEnd + p.BossGateZoneSize) {
        return (1.0f - (r - bossEnd) / p.BossGateZoneSize) * p.BossGateZoneFactor;
    }
    return 0.0f;
}

void WorldMakerBhv::GenerateTiles(RandomManager& random, TileGrid& grid) {
    const WorldParameters& p = Params;
    const float z = random.UniformFloat(-10000.0f, 10000.0f);
    const float mineralZ = z + 3.5f;
    const float mineral2Z = z + 6.5f;

    for (int r = 0; r < TileGrid::Rows; ++r) {
        const float fade = RowFade(r);
        const bool bossRow = r == B01BossStart || r == B01BossEnd;
        const bool inChamber = B01BossStart < r && r < B01BossEnd;
        const bool band1 = p.B01StartDepth <= r && r <= p.B01EndDepth;
        const bool band2 = p.B02StartDepth <= r && r <= p.B02EndDepth;
        const float row = static_cast<float>(r);
        const float b1y = row / p.B01NoiseSize;
        const float my = row / p.B01M1NoiseSize;
        const float b2y = row / p.B02NoiseSize;
        // The bottom 29 rows of band 2 shrink towards 0, so the floor of the world closes.
        const float bottomShrink =
            TileGrid::Rows - r < 30 ? static_cast<float>(TileGrid::Rows - r) / 30.0f : 1.0f;

        for (int c = 0; c < TileGrid::Columns; ++c) {
            if (bossRow) {
                grid.At(c, r) = (c < GateFirstColumn || c > GateLastColumn) ? BossWall : Water;
                continue;
            }
            if (inChamber) {
                grid.At(c, r) = Water;
                continue;
            }
            const float column = static_cast<float>(c);
            const float mx = column / p.B01M1NoiseSize;
            if (band1) {
                const float d = OctaveNoise3(p.B01NoiseOctaves, p.B01NoisePersistance, p.B01NoiseOctaveScale,
                                             column / p.B01NoiseSize, b1y, z) *
                                    0.5f +
                                0.5f + fade;
                uint8_t code = d <= p.B01RockDensity ? B1Rock : d <= p.B01TerrainDensity ? B1Terrain : Water;
                if (code != Water) {
                    const float m = OctaveNoise3(3.0f, p.B01M1NoiseOctPers, 0.5f, mx, my, mineralZ) * 0.5f +
                                    0.5f - (1.0f - d) * 0.15f;
                    if (m < p.B01M1Density) {
                        code = code == B1Terrain ? B1TerrainMineral1 : B1RockMineral1;
                    }
                    if (m < p.B01M3Density) {
                        code = Silver;
                    }
                }
                if ((code == B1Terrain || code == B1Rock) && random.Chance(p.B01BuriedOdds)) {
                    code = code == B1Terrain ? B1TerrainBuried : B1RockBuried;
                }
                grid.At(c, r) = code;
            }
            if (band2) {
                float v = OctaveNoise3(3.0f, p.B02NoisePersistance, 0.5f, column / p.B02NoiseSize, b2y, z);
                v = std::fabs(v * bottomShrink) + fade;
                uint8_t code = v <= p.B02RockDensity ? B2Rock : v <= p.B02TerrainDensity ? B2Terrain : Water;
                if (code != Water) {
                    const float m = OctaveNoise3(3.0f, p.B01M1NoiseOctPers, 0.5f, mx, my, mineralZ) * 0.5f +
                                    0.5f - (1.0f - v) * 0.15f;
                    const bool silver = m < p.B02M1Density;
                    bool gold = false;
                    if (code == B2Rock) {
                        const float m2 =
                            OctaveNoise3(3.0f, p.B01M1NoiseOctPers, 0.5f, mx, my, mineral2Z) * 0.5f + 0.5f;
                        gold = m2 < p.B02M2Density;
                    }
                    if (gold) {
                        code = B2Mineral2;
                    } else if (silver) {
                        code = Silver;
                    }
                }
                grid.At(c, r) = code;
            }
        }
    }
    PlaceChestsAndUrchins(random, grid);
}

int WorldMakerBhv::OpenHeightAbove(const TileGrid& grid, int column, int row) const {
    const int64_t stop = static_cast<int64_t>(Params.ChestOverhangMax) + 2;
    auto isOpen = [](uint8_t code) {
        return code == Water || code == Urchin || code == BossWall;
    };
    int64_t open = 0;
    for (int r = row - 1; open < stop; --r) {
        if (r < 0) {
            // Above the top every row reads as row 0, which was open when we got here: the count
            // runs to its stop.
            open = stop;
            break;
        }
        if (!isOpen(grid.Get(column, r))) {
            break;
        }
        ++open;
    }
    return static_cast<int>(std::min<int64_t>(1 + open, INT32_MAX));
}

bool WorldMakerBhv::IsChestPlace(const TileGrid& grid, int c, int r) const {
    if (c < 0 || c > TileGrid::Columns - 2 || r < 1 || r + 1 >= TileGrid::Rows) {
        return false;
    }
    if (grid.Get(c, r - 1) != Water || grid.Get(c + 1, r - 1) != Water || grid.Get(c, r) != Water ||
        grid.Get(c + 1, r) != Water) {
        return false;
    }
    if (r + 1 == B01BossStart || r + 1 == B01BossEnd) {
        return false;
    }
    if (!IsSolidCode(grid.Get(c, r + 1)) || !IsSolidCode(grid.Get(c + 1, r + 1))) {
        return false;
    }
    for (int column = c; column <= c + 1; ++column) {
        const int h = OpenHeightAbove(grid, column, r);
        if (h < Params.ChestOverhangMin || h > Params.ChestOverhangMax) {
            return false;
        }
    }
    return true;
}

void WorldMakerBhv::PlaceChestsAndUrchins(RandomManager& random, TileGrid& grid) {
    ThingRootBhv* things = WellKnown<ThingRootBhv>::Get();
    for (int r = 0; r < TileGrid::Rows; ++r) {
        const int below = std::min(r + 1, TileGrid::Rows - 1);
        for (int c = 0; c < TileGrid::Columns; ++c) {
            if (grid.At(c, r) != Water || grid.At(c, below) == Water) {
                continue;
            }
            if (IsChestPlace(grid, c, r) && random.Chance(Params.ChestDensity)) {
                grid.At(c, r - 1) = grid.At(c + 1, r - 1) = grid.At(c, r) = grid.At(c + 1, r) = Chest;
                if (things) {
                    things->SpawnThing("En_Chest", {static_cast<float>(c) + 1.0f, -static_cast<float>(r)});
                }
                continue;
            }
            if (random.Chance(Params.B01UrchinDensity)) {
                grid.At(c, r) = Urchin;
                if (things) {
                    things->SpawnThing("En_SeaUrchin", TileGrid::CellCentre(c, r));
                }
            }
        }
    }
}
