#include "world/things/ThingRootBhv.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <box2d/b2_body.h>
#include <box2d/b2_collision.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_polygon_shape.h>
#include <box2d/b2_world.h>
#include <box2d/b2_world_callbacks.h>

#include "core/GameObject.h"
#include "core/Service.h"
#include "core/WellKnown.h"
#include "physics/B2BodyComponent.h"
#include "physics/B2FixtureComponent.h"
#include "prefabs/PrefabManager.h"
#include "world/RandomManager.h"
#include "world/TileGrid.h"
#include "world/WorldCamera.h"
#include "world/generation/WorldMakerBhv.h"
#include "world/things/IItemCarrier.h"
#include "world/things/ThingComponent.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/tiles/TileTypeTable.h"

namespace {

constexpr int Margin = 1;
constexpr int MaxUrchinsPerCell = 15;

int ClampInt(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

// trunc of a float into [low, high]; NaN and values beyond int land at the ends.
int TruncClamped(float value, int low, int high) {
    if (!(value > static_cast<float>(low))) {
        return low;
    }
    if (value >= static_cast<float>(high)) {
        return high;
    }
    return static_cast<int>(value);
}

bool IsTileSolidAt(const TileGrid& grid, int column, int row) {
    return IsSolidCode(grid.Get(column, row));
}

// Fixtures with a component behind them whose shape overlaps a polygon at the identity transform.
class SquareQuery final : public b2QueryCallback {
public:
    SquareQuery(const b2PolygonShape& square, std::vector<B2FixtureComponent*>& result)
        : square_(square), result_(result) {}

    bool ReportFixture(b2Fixture* fixture) override {
        auto* component = reinterpret_cast<B2FixtureComponent*>(fixture->GetUserData().pointer);
        if (!component) {
            return true;
        }
        b2Transform identity;
        identity.SetIdentity();
        const b2Shape* shape = fixture->GetShape();
        for (int32 child = 0; child < shape->GetChildCount(); ++child) {
            if (b2TestOverlap(&square_, 0, shape, child, identity, fixture->GetBody()->GetTransform())) {
                result_.push_back(component);
                break;
            }
        }
        return true;
    }

private:
    const b2PolygonShape& square_;
    std::vector<B2FixtureComponent*>& result_;
};

} // namespace

ThingRootBhv::ThingRootBhv() {
    RegisterProperty("SpawnInterval", &SpawnInterval);
    RegisterProperty("EnemiesPerCell", &EnemiesPerCell);
    RegisterProperty("FullHeartOdds", &FullHeartOdds);
    RegisterProperty("PickupRandomVel", &PickupRandomVel);
}

ThingRootBhv::~ThingRootBhv() {
    WellKnown<ThingRootBhv>::ClearIf(this);
}

void ThingRootBhv::Start() {
    const PrefabManager* prefabs = Service<PrefabManager>::TryGet();
    if (!prefabs) {
        return;
    }
    prefabs->Require("ThingGridCell");
    cells_.clear();
    for (int k = 0; k < GridRows; ++k) {
        for (int i = 0; i < GridColumns; ++i) {
            auto* object = new GameObject("ThingGridCell");
            ThingGridCellBhv* cell = object->GetComponentOfType<ThingGridCellBhv>();
            if (!cell) {
                cell = new ThingGridCellBhv();
                object->AddComponent(cell);
            }
            cell->Bounds = Rect(CellSize * static_cast<float>(i), -CellSize * static_cast<float>(k + 1),
                                CellSize, CellSize);
            if (Owner) {
                Owner->AppendChild(object);
            }
            cells_.push_back(cell);
        }
    }
    const Camera2d camera = CurrentWorldCamera();
    activeColumns_ = static_cast<int>(std::ceil(std::fabs(camera.Size.x) / CellSize)) + 2 * Margin + 1;
    activeRows_ = static_cast<int>(std::ceil(std::fabs(camera.Size.y) / CellSize)) + 2 * Margin + 1;

    WellKnown<ThingRootBhv>::Register(this);
    incoming_ = FindChild("ThingsIncoming");
    StartCoroutine<&ThingRootBhv::SpawnStep>();
}

CoCommand ThingRootBhv::SpawnStep(int step) {
    if (step == 0) {
        TrySpawnEnemy();
        return CoWaitSeconds(SpawnInterval);
    }
    return CoRestart();
}

int ThingRootBhv::CellIndexAt(Vector2 position) {
    const int column = TruncClamped(position.x / CellSize, 0, GridColumns - 1);
    const int row = TruncClamped(position.y / -CellSize, 0, GridRows - 1);
    return column + GridColumns * row;
}

ThingGridCellBhv* ThingRootBhv::GetCellAt(Vector2 position) const {
    if (cells_.size() != static_cast<size_t>(GridColumns * GridRows)) {
        return nullptr;
    }
    return cells_[CellIndexAt(position)];
}

void ThingRootBhv::File(GameObject& thing, Vector2 position) {
    ThingGridCellBhv* cell = GetCellAt(position);
    if (!cell || !cell->Owner || thing.Parent == cell->Owner) {
        return;
    }
    if (thing.Parent) {
        thing.Parent->RemoveChild(&thing);
    }
    cell->Owner->AppendChild(&thing);
}

void ThingRootBhv::Update() {
    const Camera2d camera = CurrentWorldCamera();
    const int firstColumn =
        TruncClamped(camera.Position.x / CellSize, -1000000, 1000000) - activeColumns_ / 2;
    const int firstRow = TruncClamped(-camera.Position.y / CellSize, -1000000, 1000000) - activeRows_ / 2;
    auto isActive = [&](int column, int row) {
        return column >= firstColumn && column < firstColumn + activeColumns_ && row >= firstRow &&
               row < firstRow + activeRows_;
    };

    for (size_t index = 0; index < cells_.size(); ++index) {
        ThingGridCellBhv* cell = cells_[index];
        if (!cell->Owner) {
            continue;
        }
        GameObject& cellObject = *cell->Owner;
        const bool active =
            isActive(static_cast<int>(index) % GridColumns, static_cast<int>(index) / GridColumns);
        cellObject.SetPassesEnabled(active);
        if (!active) {
            continue;
        }
        const Rect& bounds = cell->Bounds;
        // By index: a refiled thing leaves this list (and may join a later cell, which looks at it
        // again, harmlessly).
        for (size_t i = 0; i < cellObject.Children.size();) {
            GameObject& thing = *cellObject.Children[i];
            ThingComponent* component = thing.Thing();
            if (!component) {
                ++i;
                continue;
            }
            PushOutOfTerrain(thing);
            const Vector2 p = component->Pos;
            const bool inside = p.x >= bounds.x && p.x < bounds.x + bounds.width && p.y >= bounds.y &&
                                p.y < bounds.y + bounds.height;
            if (!inside && GetCellAt(p) != cell) {
                File(thing, p);
                continue;
            }
            ++i;
        }
    }

    const int c0 = std::max(firstColumn, 0);
    const int c1 = std::min(firstColumn + activeColumns_ - 1, GridColumns - 1);
    const int r0 = std::max(firstRow, 0);
    const int r1 = std::min(firstRow + activeRows_ - 1, GridRows - 1);
    if (c0 <= c1 && r0 <= r1) {
        activeArea_ =
            Rect(CellSize * static_cast<float>(c0), -CellSize * static_cast<float>(r1 + 1),
                 CellSize * static_cast<float>(c1 - c0 + 1), CellSize * static_cast<float>(r1 - r0 + 1));
    }

    if (incoming_) {
        for (size_t i = 0; i < incoming_->Children.size();) {
            GameObject& thing = *incoming_->Children[i];
            if (ThingComponent* component = thing.Thing(); component && GetCellAt(component->Pos)) {
                File(thing, component->Pos);
                continue;
            }
            ++i;
        }
    }
}

void ThingRootBhv::PushOutOfTerrain(GameObject& thing) {
    ThingComponent* component = thing.Thing();
    const TileGrid* grid = Service<TileGrid>::TryGet();
    if (!component || !grid) {
        return;
    }
    const TileGrid::Cell start = TileGrid::CellAt(component->Pos.x, component->Pos.y);
    if (!IsTileSolidAt(*grid, start.Column, start.Row)) {
        return;
    }
    static constexpr int Offsets[8][2] = {{1, 0}, {-1, 0}, {0, 1},  {0, -1},
                                          {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    Vector2 target{1.0f, -1.0f};
    bool found = false;
    for (int d = 1; d <= 10 && !found; ++d) {
        for (const auto& offset : Offsets) {
            const int column = ClampInt(start.Column + offset[0] * d, 0, TileGrid::Columns - 1);
            const int row = ClampInt(start.Row + offset[1] * d, 0, TileGrid::Rows - 1);
            if (!IsTileSolidAt(*grid, column, row)) {
                target = TileGrid::CellCentre(column, row);
                found = true;
                break;
            }
        }
    }
    if (B2BodyComponent* body = thing.Body()) {
        body->SetPosition(target.x, target.y);
    }
    component->Pos = target;
}

GameObject* ThingRootBhv::SpawnThing(const std::string& prefabName, Vector2 position) {
    const PrefabManager* prefabs = Service<PrefabManager>::TryGet();
    if (!prefabs || !prefabs->Contains(prefabName)) {
        return nullptr;
    }
    auto* object = new GameObject(prefabName);
    ThingComponent* component = object->Thing();
    if (!component) {
        object->DestroyLater();
        return nullptr;
    }
    component->Pos = position;
    if (B2BodyComponent* body = object->Body()) {
        body->SetPosition(position.x, position.y);
    }
    File(*object, position);
    if (!object->Parent && incoming_) {
        // Without cells (a root that never started) the thing waits under "ThingsIncoming".
        incoming_->AppendChild(object);
    }
    if (!object->Parent) {
        object->DestroyLater();
        return nullptr;
    }
    return object;
}

GameObject* ThingRootBhv::SpawnPickup(const std::string& prefabName, Vector2 position) {
    GameObject* object = SpawnThing(prefabName, position);
    if (!object) {
        return nullptr;
    }
    const Vector2 velocity = RandomDirection(PickupRandomVel);
    if (B2BodyComponent* body = object->Body()) {
        b2Body* b = body->GetBody();
        b->SetLinearVelocity(b2Vec2(velocity.x, velocity.y));
        if (velocity.x != 0.0f || velocity.y != 0.0f) {
            b->SetAwake(true);
        }
    }
    return object;
}

GameObject* ThingRootBhv::SpawnItemPickup(int count, const std::string& itemName, Vector2 position) {
    const PrefabManager* prefabs = Service<PrefabManager>::TryGet();
    if (!prefabs || !prefabs->Contains(itemName)) {
        return nullptr; // an item that no longer exists is not dropped
    }
    GameObject* object = SpawnPickup("Pkup_Item", position);
    if (!object) {
        return nullptr;
    }
    for (Component* component : object->Components) {
        if (auto* carrier = dynamic_cast<IItemCarrier*>(component)) {
            carrier->setItem(count, itemName);
            break;
        }
    }
    if (B2BodyComponent* body = object->Body()) {
        body->GetBody()->SetTransform(b2Vec2(position.x, position.y), 0.0f);
    }
    return object;
}

GameObject* ThingRootBhv::SpawnHeartPickup(Vector2 position) {
    RandomManager* random = Service<RandomManager>::TryGet();
    const bool full = random && random->Chance(FullHeartOdds);
    return SpawnThing(full ? "Pkup_Heart" : "Pkup_HeartHalf", position);
}

void ThingRootBhv::QueryFixturesInSquare(Vector2 centre, float halfSize,
                                         std::vector<B2FixtureComponent*>& result) {
    b2World* world = Service<b2World>::TryGet();
    if (!world || !(halfSize > 0.0f)) {
        return;
    }
    b2PolygonShape square;
    square.SetAsBox(halfSize, halfSize, b2Vec2(centre.x, centre.y), 0.0f);
    b2AABB box;
    box.lowerBound = b2Vec2(centre.x - halfSize, centre.y - halfSize);
    box.upperBound = b2Vec2(centre.x + halfSize, centre.y + halfSize);
    SquareQuery query(square, result);
    world->QueryAABB(&query, box);
}

Vector2 ThingRootBhv::RandomDirection(float length) {
    RandomManager* random = Service<RandomManager>::TryGet();
    const float pi = std::numbers::pi_v<float>;
    const float angle = random ? random->UniformFloat(-pi, pi) : 0.0f;
    return {std::cos(angle) * length, std::sin(angle) * length};
}

void ThingRootBhv::TrySpawnEnemy() {
    RandomManager* random = Service<RandomManager>::TryGet();
    const TileGrid* grid = Service<TileGrid>::TryGet();
    if (!random || !grid) {
        return;
    }
    const float x = random->UniformFloat(activeArea_.x, activeArea_.x + activeArea_.width);
    const float y = random->UniformFloat(activeArea_.y, activeArea_.y + activeArea_.height);
    const TileGrid::Cell cell = TileGrid::CellAt(x, y);
    if (IsTileSolidAt(*grid, cell.Column, cell.Row)) {
        return;
    }
    const Vector2 p = TileGrid::CellCentre(cell.Column, cell.Row);
    const Camera2d camera = CurrentWorldCamera();
    const float halfWidth = std::fabs(camera.Size.x) * 0.5f;
    const float halfHeight = std::fabs(camera.Size.y) * 0.5f;
    if (p.x >= camera.Position.x - halfWidth && p.x <= camera.Position.x + halfWidth &&
        p.y >= camera.Position.y - halfHeight && p.y <= camera.Position.y + halfHeight) {
        return; // enemies only appear off-screen
    }
    int urchins = 0;
    int enemies = 0;
    if (ThingGridCellBhv* thingCell = GetCellAt(p); thingCell && thingCell->Owner) {
        for (const GameObject* child : thingCell->Owner->Children) {
            if (child->PrefabName == "En_SeaUrchin") {
                ++urchins;
            } else if (child->GetSlot(ShortcutSlot::Enemy)) {
                ++enemies;
            }
        }
    }
    const int below = std::min(cell.Row + 1, TileGrid::Rows - 1);
    if (IsTileSolidAt(*grid, cell.Column, below) && urchins < MaxUrchinsPerCell) {
        SpawnThing("En_SeaUrchin", p);
        Service<TileGrid>::Get().Set(cell.Column, cell.Row, 5);
        return;
    }
    if (enemies >= EnemiesPerCell) {
        return;
    }
    if (const WorldMakerBhv* maker = WellKnown<WorldMakerBhv>::Get();
        maker && cell.Row >= maker->B01BossStart && cell.Row <= maker->B01BossEnd) {
        return;
    }
    const uint32_t u = random->Next();
    SpawnThing(static_cast<double>(u) <= 3865470565.5 ? "En_Shrimp" : "En_ShrimpFast", p);
}
