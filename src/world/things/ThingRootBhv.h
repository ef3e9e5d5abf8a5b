#pragma once

#include <string>
#include <vector>

#include "core/Behavior.h"
#include "core/CoCommand.h"
#include "core/Handle.h"
#include "core/Rect.h"
#include "core/Vector2.h"

class B2FixtureComponent;
class GameObject;
class ThingGridCellBhv;

// The thing grid: 6 x 15 cells of 30 x 30 units holding every world object other than the
// player. Only the cells around the camera run; things are refiled as they move, pushed out of
// solid terrain, and enemies are spawned off-screen around the player. Every world object is
// created through SpawnThing and its companions.
class ThingRootBhv : public Behavior {
public:
    static constexpr const char* ClassName = "ThingRootBhv";
    static constexpr int GridColumns = 6;
    static constexpr int GridRows = 15;
    static constexpr float CellSize = 30.0f;

    ThingRootBhv();
    ~ThingRootBhv() override;

    // Builds the 90 cells from the "ThingGridCell" prefab (ContentError without it), sizes the
    // active area from the camera, publishes itself and starts the spawn coroutine.
    void Start() override;
    // Switches cells on and off around the camera, pushes things out of terrain, refiles them,
    // and files the things waiting under "ThingsIncoming".
    void Update() override;

    // Builds a thing from the prefab at the position and files it; null when the prefab is unknown
    // or builds no ThingComponent (that object is destroyed).
    GameObject* SpawnThing(const std::string& prefabName, Vector2 position);
    // SpawnThing with a kick of "PickupRandomVel" in a random direction.
    GameObject* SpawnPickup(const std::string& prefabName, Vector2 position);
    // A "Pkup_Item" pickup carrying count of the item, kicked like SpawnPickup; null when the item
    // has no prefab.
    GameObject* SpawnItemPickup(int count, const std::string& itemName, Vector2 position);
    // A full heart with "FullHeartOdds", else a half heart.
    GameObject* SpawnHeartPickup(Vector2 position);

    // The grid position (column, row) of a point, clamped into the grid.
    static int CellIndexAt(Vector2 position);
    ThingGridCellBhv* GetCellAt(Vector2 position) const;
    // Appends the fixture components (fixtures with user data only) whose shapes overlap the square.
    static void QueryFixturesInSquare(Vector2 centre, float halfSize,
                                      std::vector<B2FixtureComponent*>& result);
    // (1, 0) turned by a uniform angle in [-pi, pi), times length.
    static Vector2 RandomDirection(float length);

    // One attempt at spawning an enemy at a random free point of the active area, off-screen.
    void TrySpawnEnemy();
    // Moves a thing standing in a solid tile to the nearest free cell within 10 rings, else to
    // (1, -1).
    static void PushOutOfTerrain(GameObject& thing);

    const std::vector<ThingGridCellBhv*>& Cells() const { return cells_; }
    Rect ActiveArea() const { return activeArea_; }
    GameObject* Incoming() const { return incoming_.Get(); }

    float SpawnInterval = 1.0f;
    int EnemiesPerCell = 2;
    float FullHeartOdds = 0.33f;
    float PickupRandomVel = 1.0f;

private:
    CoCommand SpawnStep(int step);
    void File(GameObject& thing, Vector2 position);

    std::vector<ThingGridCellBhv*> cells_; // index column + 6 * row
    int activeColumns_ = 0;
    int activeRows_ = 0;
    Rect activeArea_{0.0f, 0.0f, 100.0f, 100.0f};
    Handle<GameObject> incoming_;
};
