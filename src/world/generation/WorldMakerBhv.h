#pragma once

#include "core/Behavior.h"

class RandomManager;
class TileGrid;

// The tuning of a new world: two depth bands of layered noise, their minerals, buried items, the
// boss chamber and the chests and urchins on cave floors. Every value starts at 0; the world-maker
// prefab holds the tuned ones.
struct WorldParameters {
    int B01StartDepth = 0;
    int B01EndDepth = 0;
    float B01TerrainDensity = 0.0f;
    float B01RockDensity = 0.0f;
    float B01NoiseSize = 0.0f;
    float B01NoiseOctaves = 0.0f;
    float B01NoiseOctaveScale = 0.0f;
    float B01NoisePersistance = 0.0f;
    float B01DensityFadeIn = 0.0f;
    float B01M1Density = 0.0f;
    float B01M1NoiseSize = 0.0f;
    float B01M1NoiseOctPers = 0.0f;
    float B01M3Density = 0.0f;
    float B01UrchinDensity = 0.0f;
    float B01BuriedOdds = 0.0f;
    float BossGateZoneSize = 0.0f;
    float BossGateZoneFactor = 0.0f;
    float ChestDensity = 0.0f;
    int ChestOverhangMin = 0;
    int ChestOverhangMax = 0;
    int B02StartDepth = 0;
    int B02EndDepth = 0;
    float B02NoiseSize = 0.0f;
    float B02NoisePersistance = 0.0f;
    float B02TerrainDensity = 0.0f;
    float B02RockDensity = 0.0f;
    float B02M1Density = 0.0f;
    float B02M2Density = 0.0f;
};

// Generates the world: fills the tile grid from noise, places chests, urchins and the boss gates as
// things, and tells the game a new world exists. Runs from Start and from the new-game action.
class WorldMakerBhv : public Behavior {
public:
    static constexpr const char* ClassName = "WorldMakerBhv";
    // The 8-cell gap in the boss rows where the gates stand.
    static constexpr int GateFirstColumn = 71;
    static constexpr int GateLastColumn = 78;

    WorldMakerBhv();
    ~WorldMakerBhv() override;

    // Publishes itself as the world maker and generates.
    void Start() override;

    // A new world from the shared random source into the shared tile grid.
    void Generate();
    // The grid and the placement pass alone, from the given source into the given grid: no things
    // are cleared, gates spawned or events raised (benchmarks and tests).
    void GenerateTiles(RandomManager& random, TileGrid& grid);
    // Spawns the two boss gates into the thing grid, hands them to the world events and applies its
    // boss state (after a world is generated or loaded; the old gates must be gone).
    void SpawnGatesAndApplyBossState();

    WorldParameters Params;
    int B01BossStart = 0;
    int B01BossEnd = 0;

private:
    float RowFade(int row) const;
    // 1 + the open cells (code 0, 5 or 9) straight above the row, counting rows above the top as row
    // 0, stopping at ChestOverhangMax + 2.
    int OpenHeightAbove(const TileGrid& grid, int column, int row) const;
    bool IsChestPlace(const TileGrid& grid, int column, int row) const;
    void PlaceChestsAndUrchins(RandomManager& random, TileGrid& grid);
};
