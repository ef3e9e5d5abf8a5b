#include "world/scenery/SceneryCollisionBlockBhv.h"

#include <algorithm>
#include <cmath>

#include <box2d/b2_body.h>
#include <box2d/b2_chain_shape.h>
#include <box2d/b2_fixture.h>

#include "core/Service.h"
#include "world/TileGrid.h"
#include "world/tiles/TileTypeTable.h"

void SceneryCollisionBlockBhv::DestroyFixtures(b2Body* body) {
    if (body) {
        for (b2Fixture* fixture : Fixtures) {
            body->DestroyFixture(fixture);
        }
    }
    Fixtures.clear();
}

void SceneryCollisionBlockBhv::BuildFixtures(b2Body* body) {
    if (!IsAssigned() || !body) {
        return;
    }
    const TileGrid* grid = Service<TileGrid>::TryGet();
    // Outside the grid is rock: the world is walled in on every side, the surface included.
    const auto isSolid = [grid](int column, int row) {
        return !TileGrid::Contains(column, row) || (grid && IsSolidCode(grid->Get(column, row)));
    };
    // The key follows the camera, which the editor may fly anywhere (or a broken save may send to
    // infinity): far outside the grid everything is rock, so any key past its margin builds the same.
    const auto cell = [](float key) {
        constexpr float far = 1000000.0f;
        return std::isnan(key) ? 0 : static_cast<int>(std::clamp(key, -far, far));
    };
    outline_.Build(cell(KeyX), -cell(KeyY), isSolid);

    b2FixtureDef definition;
    definition.friction = 0.5f;
    definition.restitution = 0.2f;
    definition.density = 0.0f;
    definition.isSensor = false;
    definition.filter.categoryBits = 0x0001;
    definition.filter.maskBits = 0xFFFF;
    std::vector<b2Vec2> points;
    for (int i = 0; i < outline_.ChainCount(); ++i) {
        const SceneryOutline::Chain& chain = outline_.Chains()[i];
        const size_t count = chain.Vertices.size();
        if (count < (chain.Closed ? 3u : 2u)) {
            continue;
        }
        points.resize(count);
        for (size_t k = 0; k < count; ++k) {
            points[k].Set(chain.Vertices[k].x, chain.Vertices[k].y);
        }
        b2ChainShape shape;
        if (chain.Closed) {
            shape.CreateLoop(points.data(), static_cast<int32>(count));
        } else {
            // The neighbouring block's chain goes on in line across the border as far as the ends
            // know, which keeps a body sliding over the seam from catching on it.
            const b2Vec2 before = points[0] - (points[1] - points[0]);
            const b2Vec2 after = points[count - 1] + (points[count - 1] - points[count - 2]);
            shape.CreateChain(points.data(), static_cast<int32>(count), before, after);
        }
        definition.shape = &shape;
        Fixtures.push_back(body->CreateFixture(&definition));
    }
}
