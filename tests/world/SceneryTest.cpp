#include <gtest/gtest.h>

#include <box2d/b2_body.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_polygon_shape.h>
#include <box2d/b2_world.h>

#include "WorldFixture.h"
#include "core/GraphicsManager.h"
#include "physics/B2BodyComponent.h"
#include "world/scenery/SceneryCollisionBlockBhv.h"
#include "world/scenery/SceneryCollisionManagerBhv.h"
#include "world/scenery/SceneryOutline.h"

namespace {

using Chain = SceneryOutline::Chain;

// Twice the signed area: positive when the loop runs counter-clockwise (y up), that is with the
// solid inside on its left.
float SignedArea(const std::vector<Vector2>& v) {
    float sum = 0.0f;
    for (size_t i = 0; i < v.size(); ++i) {
        const Vector2& a = v[i];
        const Vector2& b = v[(i + 1) % v.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

std::vector<Chain> OutlineOf(const TileGrid& grid, int firstColumn, int firstRow) {
    SceneryOutline outline;
    outline.Build(firstColumn, firstRow,
                  [&](int c, int r) { return !TileGrid::Contains(c, r) || IsSolidCode(grid.Get(c, r)); });
    return {outline.Chains().begin(), outline.Chains().begin() + outline.ChainCount()};
}

class SceneryTest : public WorldFixture {};

TEST_F(SceneryTest, ARegionInsideABlockIsOneLoopWithTheSolidOnItsLeft) {
    for (int c = 12; c <= 13; ++c) {
        for (int r = 2; r <= 4; ++r) {
            grid.Set(c, r, 1);
        }
    }
    grid.Set(16, 6, 2); // a second, single-cell region
    const std::vector<Chain> chains = OutlineOf(grid, 10, 0);
    ASSERT_EQ(chains.size(), 2u);
    for (const Chain& chain : chains) {
        EXPECT_TRUE(chain.Closed);
        ASSERT_EQ(chain.Vertices.size(), 4u);
        EXPECT_GT(SignedArea(chain.Vertices), 0.0f);
    }
    EXPECT_FLOAT_EQ(SignedArea(chains[0].Vertices), 2 * 6.0f);
    EXPECT_FLOAT_EQ(SignedArea(chains[1].Vertices), 2 * 1.0f);
}

TEST_F(SceneryTest, AWaterPocketInsideRockIsALoopWithTheWaterOnItsRight) {
    for (int c = 10; c < 20; ++c) {
        for (int r = 0; r < 10; ++r) {
            grid.Set(c, r, (c == 14 && r == 5) ? 0 : 2);
        }
    }
    // Around the block the grid is water except above it (outside the grid: solid).
    const std::vector<Chain> chains = OutlineOf(grid, 10, 0);
    int loops = 0;
    for (const Chain& chain : chains) {
        if (chain.Closed) {
            ++loops;
            EXPECT_LT(SignedArea(chain.Vertices), 0.0f); // clockwise around the pocket
        }
    }
    EXPECT_EQ(loops, 1);
}

TEST_F(SceneryTest, ARegionCrossingTheBorderGivesOpenChainsThatMeetThere) {
    for (int c = 5; c <= 25; ++c) {
        grid.Set(c, 5, 1);
    }
    const std::vector<Chain> left = OutlineOf(grid, 10, 0);
    const std::vector<Chain> right = OutlineOf(grid, 20, 0);
    // Left block: the row runs through it, so its top and bottom are two straight open chains, and
    // no wall stands at either border.
    ASSERT_EQ(left.size(), 2u);
    EXPECT_FALSE(left[0].Closed);
    EXPECT_FALSE(left[1].Closed);
    EXPECT_EQ(left[0].Vertices, (std::vector<Vector2>{{20, -5}, {10, -5}})); // top, right to left
    EXPECT_EQ(left[1].Vertices, (std::vector<Vector2>{{10, -6}, {20, -6}})); // bottom, left to right
    // Right block: the row ends at column 25, so one open chain goes round its end, starting where
    // the left block's bottom ends and ending where its top starts.
    ASSERT_EQ(right.size(), 1u);
    EXPECT_FALSE(right[0].Closed);
    EXPECT_EQ(right[0].Vertices, (std::vector<Vector2>{{20, -6}, {26, -6}, {26, -5}, {20, -5}}));
}

TEST_F(SceneryTest, OutsideTheGridIsSolidSoTheWorldIsWalledIn) {
    // Left of the grid: the wall faces the water along x = 0.
    std::vector<Chain> chains = OutlineOf(grid, -10, 0);
    ASSERT_EQ(chains.size(), 1u);
    EXPECT_EQ(chains[0].Vertices, (std::vector<Vector2>{{0, -10}, {0, 0}}));
    // Above the surface: the roof faces down along y = 0.
    chains = OutlineOf(grid, 40, -10);
    ASSERT_EQ(chains.size(), 1u);
    EXPECT_EQ(chains[0].Vertices, (std::vector<Vector2>{{40, 0}, {50, 0}}));
    // Right of the grid and below the bottom.
    chains = OutlineOf(grid, 150, 100);
    ASSERT_EQ(chains.size(), 1u);
    EXPECT_EQ(chains[0].Vertices, (std::vector<Vector2>{{150, -100}, {150, -110}}));
    chains = OutlineOf(grid, 40, 430);
    ASSERT_EQ(chains.size(), 1u);
    EXPECT_EQ(chains[0].Vertices, (std::vector<Vector2>{{50, -430}, {40, -430}}));
}

// The manager on a static body, with a floor at rows 30-31 and walls in columns 5 and 45.
class SceneryPhysicsTest : public WorldFixture {
protected:
    SceneryPhysicsTest() {
        for (int c = 0; c < TileGrid::Columns; ++c) {
            grid.Set(c, 30, 1);
            grid.Set(c, 31, 2);
        }
        for (int r = 0; r < 30; ++r) {
            grid.Set(5, r, 2);
            grid.Set(45, r, 2);
        }
        auto* object = new GameObject();
        object->AddComponent(new B2BodyComponent());
        manager = new SceneryCollisionManagerBhv();
        object->AddComponent(manager);
        root.AppendChild(object);
        manager->Start();
        RunFrame();
    }

    b2Body* Box(Vector2 at, float half, b2Vec2 velocity = {0, 0}) {
        b2BodyDef definition;
        definition.type = b2_dynamicBody;
        definition.position.Set(at.x, at.y);
        definition.linearVelocity = velocity;
        b2Body* body = world->CreateBody(&definition);
        b2PolygonShape shape;
        shape.SetAsBox(half, half);
        body->CreateFixture(&shape, 1.0f);
        return body;
    }

    SceneryCollisionManagerBhv* manager = nullptr;
};

TEST_F(SceneryPhysicsTest, BodiesRestOnTheFloorAcrossSeamsAndStopAtWallsFromBothSides) {
    ASSERT_NE(manager->SceneryBody(), nullptr);
    EXPECT_EQ(manager->Blocks().size(), 18u * 17u);
    b2Body* onSeam = Box({20.0f, -25.0f}, 0.4f);
    b2Body* small = Box({30.0f, -20.0f}, 0.05f, {0, -30}); // fast and thin, straight onto a seam
    b2Body* beside = Box({14.5f, -28.0f}, 0.4f);
    b2Body* right = Box({40.0f, -29.5f}, 0.4f, {20, 0});
    b2Body* left = Box({10.0f, -29.5f}, 0.4f, {-20, 0});
    b2Body* slider = Box({12.0f, -29.5f}, 0.4f, {15, 0}); // slides along the floor over the seam at 20
    RunFrames(240);
    EXPECT_NEAR(onSeam->GetPosition().y, -29.6f, 0.05f);
    EXPECT_NEAR(small->GetPosition().y, -29.95f, 0.05f);
    EXPECT_NEAR(beside->GetPosition().y, -29.6f, 0.05f);
    EXPECT_LE(right->GetPosition().x, 45.0f - 0.4f + 0.05f);
    EXPECT_GE(left->GetPosition().x, 6.0f + 0.4f - 0.05f);
    EXPECT_GT(slider->GetPosition().y, -29.7f);
    EXPECT_LE(slider->GetPosition().x, 45.0f);
    for (b2Body* body : {onSeam, small, beside, right, left, slider}) {
        world->DestroyBody(body);
    }
}

TEST_F(SceneryPhysicsTest, DrillingOnABorderRebuildsBothBlocksWithoutStrayEdges) {
    grid.Set(19, 30, 0);
    manager->MarkSceneryDirty(19, 30);
    RunFrame();
    // The seam x = 20 now has exactly the side of cell (20, 30) facing the hole, nothing at row 31.
    int seamEdges = 0;
    for (const SceneryCollisionBlockBhv* block : manager->Blocks()) {
        if (block->KeyX != 20 || block->KeyY != -30) {
            continue;
        }
        for (int i = 0; i < block->Outline().ChainCount(); ++i) {
            const std::vector<Vector2>& v = block->Outline().Chains()[i].Vertices;
            for (size_t k = 0; k + 1 < v.size(); ++k) {
                if (v[k].x == 20 && v[k + 1].x == 20) {
                    ++seamEdges;
                    EXPECT_EQ(v[k], Vector2(20, -30));
                    EXPECT_EQ(v[k + 1], Vector2(20, -31));
                }
            }
        }
    }
    EXPECT_EQ(seamEdges, 1);
    b2Body* box = Box({19.5f, -27.0f}, 0.3f);
    RunFrames(120);
    EXPECT_NEAR(box->GetPosition().y, -31.0f + 0.3f, 0.05f); // down the hole onto row 31
    world->DestroyBody(box);
}

TEST_F(SceneryPhysicsTest, MovingTheCameraOneBlockRecyclesOneColumnOfBlocks) {
    GraphicsManager graphics;
    Service<GraphicsManager>::Scoped graphicsScope(graphics);
    RunFrame();
    std::vector<std::pair<float, float>> before;
    for (const SceneryCollisionBlockBhv* block : manager->Blocks()) {
        before.emplace_back(block->KeyX, block->KeyY);
    }
    graphics.WorldCamera.Position.x += 10.0f;
    RunFrame();
    int moved = 0;
    for (size_t i = 0; i < manager->Blocks().size(); ++i) {
        const SceneryCollisionBlockBhv* block = manager->Blocks()[i];
        if (block->KeyX != before[i].first || block->KeyY != before[i].second) {
            ++moved;
            EXPECT_EQ(before[i].first, -60.0f);
            EXPECT_EQ(block->KeyX, 120.0f);
        }
    }
    EXPECT_EQ(moved, manager->BlockRows());
}

} // namespace
