#include <gtest/gtest.h>

#include "CountThings.h"
#include "WorldFixture.h"
#include "assets/Texture.h"
#include "components/SpriteComponent.h"
#include "core/GraphicsManager.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "reflection/ResourceLookup.h"
#include "world/scenery/SceneryCollisionBlockBhv.h"
#include "world/scenery/SceneryCollisionManagerBhv.h"
#include "world/things/RandomDropBhv.h"
#include "world/things/ThingGridCellBhv.h"
#include "world/things/ThingRootBhv.h"
#include "world/tiles/TileDisplayManagerBhv.h"
#include "world/tiles/TileSpriteBhv.h"
#include "world/tiles/TileTypesRootBhv.h"
#include "world/tiles/WaterShadeBhv.h"

namespace {

// A "Game" atlas with three named sprites, found through the texture lookup.
class TilesTest : public WorldFixture, public TextureLookup {
protected:
    TilesTest() {
        atlas.Name = "Game";
        for (const char* name : {"Dirt", "Rock", "Gold"}) {
            atlas.SpriteIndex[name] = atlas.SpriteCount();
            atlas.SpriteNames.push_back(name);
            atlas.UvRects.emplace_back(0.0f, 0.0f, 1.0f, 1.0f);
            atlas.TrimRects.emplace_back(0.0f, 0.0f, 1.0f, 1.0f);
        }
    }
    Texture* FindTexture(const std::string& name) const override { return name == "Game" ? &atlas : nullptr; }
    std::string TextureName(const Texture& texture) const override { return texture.Name; }

    mutable Texture atlas;
    Service<TextureLookup>::Scoped lookupScope{*this};
};

TEST_F(TilesTest, ImageNamesAreAtlasIndicesAndAnEmptyNameIsNoImage) {
    TileTypeBhv type;
    EXPECT_TRUE(type.SetPropertyText("TileImageName", 0, "Rock"));
    EXPECT_EQ(type.ImageIndex, 1);
    EXPECT_EQ(type.GetPropertyText("TileImageName"), "Rock");
    type.SetPropertyText("TileImageName", 0, "");
    EXPECT_EQ(type.ImageIndex, -1);
    EXPECT_EQ(type.GetPropertyText("TileImageName"), "");
}

TEST_F(TilesTest, TheLaterOfTwoTypesWithOneIndexWinsAndTheDefaultIndexTakesNoSlot) {
    AddPrefab(
        "Tile_A",
        R"({"Components": {"TileTypeBhv": {"TileIndex": "3", "TileImageName": "Dirt"}}, "AutoCreate": ""})");
    AddPrefab(
        "Tile_B",
        R"({"Components": {"TileTypeBhv": {"TileIndex": "3", "TileImageName": "Gold"}}, "AutoCreate": ""})");
    AddPrefab("Tile_Unset", R"({"Components": {"TileTypeBhv": ""}, "AutoCreate": ""})");
    AddPrefab("NotATile", R"({"Components": {"TileTypeBhv": {"TileIndex": "4"}}, "AutoCreate": ""})");
    auto* types = new GameObject();
    types->AddComponent(new TileTypesRootBhv());
    root.AppendChild(types);
    auto* rootBhv = types->GetComponentOfType<TileTypesRootBhv>();
    rootBhv->Start();
    ASSERT_EQ(types->Children.size(), 3u); // Tile_A, Tile_B, Tile_Unset in name order
    TileTypeTable& table = rootBhv->Table;
    ASSERT_NE(table.Get(3), nullptr);
    EXPECT_EQ(table.Get(3)->ImageIndex, 2);
    EXPECT_TRUE(types->Children[0]->PendingDestroy);
    EXPECT_EQ(table.Size(), 4); // nothing for -1, nothing from "NotATile"
    queues.Flush();
    EXPECT_EQ(types->Children.size(), 2u);
    EXPECT_EQ(table.Get(3)->ImageIndex, 2); // the loser's going did not empty the winner's slot
    types->Children[0]->DestroyLater();
    queues.Flush();
    EXPECT_EQ(table.Get(3), nullptr);
}

// The open water is lighter near the surface and darker below, following the camera; a colour
// someone else put up (a flash, the reward) stays until a water shade or plain black is back.
TEST_F(TilesTest, TheWaterDarkensWithDepthAndLeavesOtherColoursAlone) {
    GraphicsManager graphics;
    Service<GraphicsManager>::Scoped graphicsScope(graphics);
    auto* object = new GameObject();
    auto* water = new WaterShadeBhv();
    object->AddComponent(water);
    root.AppendChild(object);
    auto brightness = [](Color c) {
        return c.r + c.g + c.b;
    };

    graphics.WorldCamera.Position = {30.0f, -22.5f};
    RunFrame();
    const Color shallow = graphics.ClearColor;
    EXPECT_GT(brightness(shallow), 150);
    EXPECT_GT(shallow.b, shallow.r);
    graphics.WorldCamera.Position = {30.0f, -400.0f};
    RunFrame();
    const Color deep = graphics.ClearColor;
    EXPECT_LT(brightness(deep), brightness(shallow) / 3);
    EXPECT_TRUE(water->IsWaterShade(shallow) && water->IsWaterShade(deep));

    const Color reward{156, 62, 56, 255};
    EXPECT_FALSE(water->IsWaterShade(reward));
    graphics.ClearColor = reward;
    RunFrame();
    EXPECT_EQ(graphics.ClearColor, reward);
    graphics.ClearColor = shallow; // put back after a flash
    RunFrame();
    EXPECT_EQ(graphics.ClearColor, deep);
}

TEST_F(TilesTest, ThePoolShowsTheCellsAroundTheCameraAndOffGridCellsEmpty) {
    table.Get(1)->ImageIndex = 0;
    table.Get(2)->ImageIndex = 1;
    table.Get(12)->ImageIndex = -1; // solid but never drawn
    for (int c = 0; c < TileGrid::Columns; ++c) {
        for (int r = 0; r < TileGrid::Rows; ++r) {
            grid.Set(c, r, (c + r) % 2 ? 1 : 2);
        }
    }
    grid.Set(3, 3, 12);
    GraphicsManager graphics;
    Service<GraphicsManager>::Scoped graphicsScope(graphics);
    auto* display = new GameObject();
    auto* manager = new TileDisplayManagerBhv();
    display->AddComponent(manager);
    root.AppendChild(display);
    manager->Start();
    ASSERT_EQ(manager->Columns(), 62);
    ASSERT_EQ(manager->Rows(), 47);
    ASSERT_EQ(manager->Pool().size(), 62u * 47u);

    // The camera over the top-left corner of the world: the pool starts 30 columns left of the
    // view's centre and 22 or 23 rows above it.
    graphics.WorldCamera.Position = {10.0f, -5.0f};
    RunFrame();
    const int left = static_cast<int>(std::floor(10.0f - 30.0f));
    const int top = static_cast<int>(std::ceil(-5.0f + 22.5f));
    for (int j = 0; j < manager->Rows(); ++j) {
        for (int i = 0; i < manager->Columns(); ++i) {
            const TileSpriteBhv* entry = manager->Pool()[j * manager->Columns() + i];
            const int c = left + i;
            const int r = j - top;
            const bool onGrid = TileGrid::Contains(c, r);
            const bool drawn = onGrid && !(c == 3 && r == 3);
            ASSERT_EQ(entry->Owner->DrawEnabled, drawn) << c << ", " << r;
            const Vector2 centre = TileGrid::CellCentre(c, r);
            ASSERT_EQ(entry->Pos2d()->Pos.x, centre.x);
            ASSERT_EQ(entry->Pos2d()->Pos.y, centre.y);
            if (drawn) {
                ASSERT_EQ(entry->ShownImage, (c + r) % 2 ? 0 : 1);
            }
        }
    }
}

class TileDestroyTest : public TilesTest {
protected:
    TileDestroyTest() {
        AddBodyThing("Pkup_Item");
        AddPrefab("Item_Copper", R"({"Components": "", "AutoCreate": ""})"); // dropped items need a prefab
        AddBodyThing("Pkup_Money1");
        things = new GameObject();
        thingRoot = new ThingRootBhv();
        things->AddComponent(thingRoot);
        root.AppendChild(things);
        thingRoot->SpawnInterval = 1e9f;
        thingRoot->Start();
    }

    int CountThings(const std::string& prefab) const { return ::CountThings(*thingRoot, prefab); }

    GameObject* things = nullptr;
    ThingRootBhv* thingRoot = nullptr;
};

TEST_F(TileDestroyTest, DestroyingATileClearsItRebuildsItsBlocksAndDropsItsItemAndLoot) {
    auto* sceneryObject = new GameObject();
    auto* scenery = new SceneryCollisionManagerBhv();
    sceneryObject->AddComponent(scenery);
    root.AppendChild(sceneryObject);
    scenery->Start();
    RunFrame(); // assigns the blocks around the default camera

    TileTypeBhv* copper = table.Get(3);
    copper->CorrespondingItem = "Item_Copper";
    auto* drop = new RandomDropBhv();
    drop->NoDropWeight = 0.0f;
    drop->Drop1Name = "Money_2to2";
    drop->Drop1Weight = 1.0f;
    copper->Owner->AddComponent(drop);

    grid.Set(20, 9, 3);
    copper->DestroyTile(20, 9);
    EXPECT_EQ(grid.Get(20, 9), 0);
    EXPECT_EQ(CountThings("Pkup_Item"), 1);
    EXPECT_EQ(CountThings("Pkup_Money1"), 2);
    // Column 20 starts a block and row 9 ends one: the cell's own block and the ones left and
    // below are marked.
    int dirty = 0;
    for (const SceneryCollisionBlockBhv* block : scenery->Blocks()) {
        if (block->Dirty) {
            ++dirty;
            const bool expected = (block->KeyX == 20 && block->KeyY == 0) ||
                                  (block->KeyX == 10 && block->KeyY == 0) ||
                                  (block->KeyX == 20 && block->KeyY == -10);
            EXPECT_TRUE(expected) << block->KeyX << ", " << block->KeyY;
        }
    }
    EXPECT_EQ(dirty, 3);
    RunFrame();
    for (const SceneryCollisionBlockBhv* block : scenery->Blocks()) {
        EXPECT_FALSE(block->Dirty);
    }
}

} // namespace
