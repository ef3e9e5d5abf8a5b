#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include <box2d/b2_body.h>

#include "PlayerFixture.h"
#include "components/SpriteComponent.h"
#include "core/Pos2dComponent.h"
#include "core/Service.h"
#include "player/EnemyLink.h"
#include "player/tools/BoostRocketBhv.h"
#include "player/tools/DrillBhv.h"
#include "player/tools/DrillTargetBhv.h"
#include "player/tools/ExplosiveBhv.h"
#include "player/tools/ToolSupport.h"

namespace {

const Vector2 Spawn{9.5f, -15.0f};

class ToolsTest : public PlayerFixture {
protected:
    ToolsTest() {
        AddPrefab("DrillDisplay", R"({"Components": {"TintComponent": ""}, "AutoCreate": [
            {"Name": "DrillStemSprite", "Prefab": "Part"}, {"Name": "DrillHeadSprite", "Prefab": "Part"}]})");
        AddPrefab("Part",
                  R"({"Components": {"Pos2dComponent": "", "SpriteComponent": ""}, "AutoCreate": ""})");
        AddPrefab("BlockPlacerDisplay", R"({"Components": {"Pos2dComponent": "", "SpriteComponent": ""},
                                           "AutoCreate": ""})");
        AddItem("Item_BlockPlacer", R"("IsWeapon": "true")", R"("BlockPlacerBhv": "")");
        AddItem("Item_DirtBlock", R"("IsBlock": "true")");
        AddItem("Item_BoostRocket", R"("IsWeapon": "true")", R"("BoostRocketBhv": "")");
        AddItem("Item_Bomb", R"("IsWeapon": "true")", R"("Item_BombBhv": "")");
        AddPrefab("LiveBomb", R"({"Components": {"ThingComponent": "", "B2BodyComponent": {"Type": "2",
            "GravityScale": "0"}, "B2FixtureComponent": {"Shape": "Circle 0.3"}, "TintComponent": "",
            "LiveBombBhv": {"RandomSpin": "0"}, "ExplosiveBhv": ""}, "AutoCreate": ""})");
        Body()->SetAngularVelocity(0.0f);
        rock = table.Get(2);
        rock->Hardness = 10;
        rock->DrillResistance = 10;
    }

    // Selects the tool: the first weapon added takes slot 0.
    void Select(const std::string& item, int count = 1) { addItem(count, item); }
    // The pointer over a world point (the default world camera, no graphics manager).
    void PointAt(Vector2 w) {
        input.SetMousePosition((w.x - 30.0f) * 16.0f + 480.0f, 360.0f - (w.y + 22.5f) * 16.0f);
    }
    void Fire(bool down = true) { Hold(Key::LeftMouse, down); }
    DrillBhv* Drill() { return findItem("Item_PlasticDrill")->Owner->GetComponentOfType<DrillBhv>(); }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) {
            RunFrame();
            SettleInput();
        }
    }

    TileTypeBhv* rock = nullptr;
};

TEST_F(ToolsTest, TheDrillReachesAtLeastItsMinimumAndAtMostItsMaximum) {
    Select("Item_PlasticDrill");
    Fire();
    PointAt({Spawn.x + 0.4f, Spawn.y});
    Frames(1);
    DrillBhv* drill = Drill();
    EXPECT_NEAR(drill->Tip.x - Spawn.x, 1.0f, 1e-4f);
    PointAt({Spawn.x, Spawn.y - 10.0f});
    Frames(1);
    EXPECT_NEAR(drill->Tip.y - Spawn.y, -3.0f, 1e-4f);
    GameObject* display = SubRoot()->FindChild(SubBackLayer)->FindChild("DrillDisplay");
    ASSERT_NE(display, nullptr);
    EXPECT_TRUE(display->DrawEnabled);
    EXPECT_NEAR(display->FindChild("DrillStemSprite")->Sprite()->Size.x, 3.0f, 1e-4f);
    // A second drill, idle in the other slot, leaves the shared display alone.
    AddItem("Item_SteelDrill", R"("IsWeapon": "true")", R"("DrillBhv": "")");
    addItem(1, "Item_SteelDrill");
    Frames(2);
    EXPECT_TRUE(display->DrawEnabled);
    // Over the HUD panel the drill rests.
    input.SetMousePosition(1000, 300);
    Frames(1);
    EXPECT_FALSE(drill->Active);
    EXPECT_FALSE(display->DrawEnabled);
}

// A pad player's mouse lies wherever it was left, here over the HUD panel: the right stick aims and
// the right trigger fires until the mouse moves again.
TEST_F(ToolsTest, TheRightStickAimsAtItsPushTimesTheReachAndTheTriggerFiresWhileTheMouseRests) {
    Bind(Action::MainWeapon, Key::PadRightTrigger);
    Select("Item_PlasticDrill");
    input.SetMousePosition(1000, 300);
    input.PreviousMousePosition = input.MousePosition;
    input.PadAim = {0.6f, -0.8f}; // up and to the right on the screen
    Hold(Key::PadRightTrigger);
    Frames(1);
    DrillBhv* drill = Drill();
    ASSERT_TRUE(drill->Active);
    EXPECT_NEAR(drill->Tip.x - Spawn.x, 1.8f, 1e-4f);
    EXPECT_NEAR(drill->Tip.y - Spawn.y, 2.4f, 1e-4f);
    input.PadAim = {1.0f, 1.0f}; // a corner push reaches no further than a straight one
    Frames(1);
    EXPECT_NEAR(drill->Tip.x - Spawn.x, 3.0f / std::sqrt(2.0f), 1e-4f);
    EXPECT_NEAR(drill->Tip.y - Spawn.y, -3.0f / std::sqrt(2.0f), 1e-4f);

    // The mouse moving takes the aim back, stick or not.
    PointAt({Spawn.x - 2.0f, Spawn.y});
    Frames(1);
    EXPECT_NEAR(drill->Tip.x - Spawn.x, -2.0f, 1e-4f);
    EXPECT_NEAR(drill->Tip.y - Spawn.y, 0.0f, 1e-4f);
    // Back at rest over the HUD, the stick let go: the trigger still fires a tool that needs no aim.
    Hold(Key::PadRightTrigger, false);
    input.SetMousePosition(1000, 300);
    input.PreviousMousePosition = input.MousePosition;
    input.PadAim = {};
    Frames(1);
    EXPECT_FALSE(drill->Active);
    Select("Item_BoostRocket");
    inventory->SelectedQuickslot = findItem("Item_BoostRocket")->QuickslotIndex;
    Frames(1);
    Hold(Key::PadRightTrigger);
    Frames(1);
    EXPECT_EQ(subBhv->SpeedMultiplier, 3.0f);
}

// Aimed through one rock at the rock behind it, the arm ends inside the first, which is outlined and
// cracks further with every blow; once it falls the arm reaches the next.
TEST_F(ToolsTest, TheArmStopsInTheFirstSolidTileWhoseOutlineCracksAsItWears) {
    std::string lines;
    for (const char* name : {"Edge", "Edge", "Edge", "Edge", "Crack", "Crack", "Crack", "Crack", "Crack",
                             "Crack", "Crack", "Crack"}) {
        lines += std::string(lines.empty() ? "" : ", ") + R"({"Name": ")" + name + R"(", "Prefab": "Line"})";
    }
    AddPrefab("DrillTargetDisplay",
              R"({"Components": {"DrillTargetBhv": ""}, "AutoCreate": [)" + lines + "]}");
    AddPrefab("Line", R"({"Components": {"Pos2dComponent": "", "SpriteComponent": "", "TintComponent": ""},
                         "AutoCreate": ""})");
    Select("Item_PlasticDrill");
    grid.Set(9, 16, 2);
    grid.Set(9, 17, 2);
    Fire();
    PointAt({9.5f, -17.5f});
    Frames(1);
    EXPECT_NEAR(Drill()->Tip.y, -16.05f, 1e-4f);
    GameObject* display = SubRoot()->FindChild(SubFrontLayer)->FindChild("DrillTargetDisplay");
    ASSERT_NE(display, nullptr);
    auto* target = display->GetComponentOfType<DrillTargetBhv>();
    EXPECT_TRUE(display->DrawEnabled);
    EXPECT_EQ(target->CrackShown, 0);
    // The top edge runs along the cell's upper border.
    EXPECT_NEAR(display->Children[2]->Pos2d()->Pos.y, -16.0f, 1e-4f);

    Frames(21); // one blow: 3 of 10 worn away, three strokes of eight
    EXPECT_EQ(grid.Get(9, 16), 2);
    EXPECT_EQ(target->CrackShown, 3);
    EXPECT_EQ(Played("DrillDamage"), 1);
    Frames(61); // the fourth blow breaks it; the rock behind was never touched
    EXPECT_EQ(grid.Get(9, 16), 0);
    EXPECT_EQ(grid.Get(9, 17), 2);
    EXPECT_NEAR(Drill()->Tip.y, -17.05f, 1e-4f);
    EXPECT_EQ(target->CrackShown, 0);
    Fire(false);
    Frames(1);
    EXPECT_FALSE(display->DrawEnabled);
}

TEST_F(ToolsTest, ResistanceTenFallsOnTheFourthHitAndAnUnfinishedTileRecoversAfterFourSeconds) {
    Select("Item_PlasticDrill");
    grid.Set(9, 17, 2);
    Fire();
    PointAt({9.5f, -17.5f});
    Frames(78); // 1.3 s: three hits
    EXPECT_EQ(grid.Get(9, 17), 2);
    EXPECT_EQ(Played("DrillDamage"), 3);
    Frames(4);
    EXPECT_EQ(grid.Get(9, 17), 0);
    EXPECT_EQ(Played("DrillDamage"), 4);

    rock->DrillResistance = 100;
    grid.Set(9, 17, 2);
    Drill()->DamagedTiles.clear();
    Frames(180); // 3 s of drilling
    ASSERT_EQ(Drill()->DamagedTiles.size(), 1u);
    EXPECT_EQ(Drill()->DamagedTiles[0].Resistance, 100 - 9 * 3);
    Fire(false);
    Frames(120);
    EXPECT_TRUE(Drill()->DamagedTiles.empty());
    Fire();
    Frames(21);
    ASSERT_EQ(Drill()->DamagedTiles.size(), 1u);
    EXPECT_EQ(Drill()->DamagedTiles[0].Resistance, 97);
}

TEST_F(ToolsTest, AMineralDugDropsItsItemWhichTheMagnetPullsInAndTheSubmarineCollects) {
    AddPickup("Pkup_Item", R"("Pkup_ItemBhv": "")");
    AddItem("Item_Copper");
    table.Get(3)->CorrespondingItem = "Item_Copper";
    Select("Item_PlasticDrill");
    grid.Set(9, 18, 3);
    Fire();
    PointAt({9.5f, -18.5f});
    Frames(60);
    EXPECT_EQ(grid.Get(9, 18), 0);
    Fire(false);
    Frames(120);
    ASSERT_NE(findItem("Item_Copper"), nullptr);
    EXPECT_EQ(findItem("Item_Copper")->Quantity, 1);
    EXPECT_EQ(CountThings("Pkup_Item"), 0);
    EXPECT_EQ(Played("ItemPickup"), 1);
}

TEST_F(ToolsTest, AHarderCreatureAtTheTipBlocksTheBlowAndARateOfZeroNeverStrikes) {
    Select("Item_PlasticDrill");
    grid.Set(9, 17, 2);
    AddPrefab(
        "En_Hard",
        R"({"Components": {"B2BodyComponent": {"Type": "0"}, "B2FixtureComponent": {"Shape": "Box 0.2 0.2"},
                                            "TestEnemyComponent": {"Hardness": "50"}}, "AutoCreate": ""})");
    auto* creature = new GameObject("En_Hard");
    root.AppendChild(creature);
    creature->Body()->SetPosition(9.5f, -17.5f);
    Fire();
    PointAt({9.5f, -17.5f});
    Frames(62);
    EXPECT_EQ(Played("DrillTooHard"), 3);
    EXPECT_EQ(Played("DrillDamage"), 0);
    EXPECT_TRUE(Drill()->DamagedTiles.empty());

    creature->DestroyLater();
    Drill()->DamageFrequency = 0.0f;
    Frames(120);
    EXPECT_EQ(Played("DrillDamage"), 0);
    EXPECT_EQ(grid.Get(9, 17), 2);
}

// Records the damage the player's tools hand to creatures.
struct DamageLog : EnemyDamageSender {
    static inline std::vector<std::pair<Component*, int>> Hits;
    bool SendDamage(Component& enemy, int damage, B2FixtureComponent*) override {
        Hits.emplace_back(&enemy, damage);
        return true;
    }
};

TEST_F(ToolsTest, TheZapperHitsTheFirstShrimpInReachEveryIntervalAndFlashesItsBolt) {
    DamageLog::Hits.clear();
    DamageLog log;
    Service<EnemyDamageSender>::Scoped logScope(log);
    AddPrefab("BoltDisplay",
              R"({"Components": {"Pos2dComponent": "", "SpriteComponent": ""}, "AutoCreate": ""})");
    AddItem("Item_ShrimpZapper", R"("IsWeapon": "true")", R"("ShrimpZapperBhv": "")");
    AddPrefab("En_Test", R"({"Components": {"ThingComponent": "", "B2BodyComponent": {"Type": "0"},
        "B2FixtureComponent": {"Shape": "Box 0.3 0.3"}, "TestEnemyComponent": {"IsShrimp": "true"}},
        "AutoCreate": ""})");
    addItem(1, "Item_PlasticDrill");
    addItem(1, "Item_ShrimpZapper"); // slot 1: not selected, zaps all the same
    GameObject* far = thingRoot->SpawnThing("En_Test", {Spawn.x + 5.5f, Spawn.y});
    GameObject* crab = thingRoot->SpawnThing("En_Test", {Spawn.x - 2.0f, Spawn.y});
    static_cast<TestEnemyComponent*>(crab->GetSlot(ShortcutSlot::Enemy))->IsShrimp = false;
    Frames(55);
    EXPECT_TRUE(DamageLog::Hits.empty());
    GameObject* shrimp = thingRoot->SpawnThing("En_Test", {Spawn.x + 3.0f, Spawn.y});
    Frames(10); // a second has passed: the first zap
    ASSERT_EQ(DamageLog::Hits.size(), 1u);
    EXPECT_EQ(DamageLog::Hits[0], (std::pair<Component*, int>{shrimp->GetSlot(ShortcutSlot::Enemy), 8}));
    GameObject* bolt = SubRoot()->FindChild(SubFrontLayer)->FindChild("BoltDisplay");
    ASSERT_NE(bolt, nullptr);
    EXPECT_TRUE(bolt->DrawEnabled);
    EXPECT_NEAR(std::fabs(bolt->Sprite()->Size.x), 3.0f, 1e-4f);
    Frames(10);
    EXPECT_FALSE(bolt->DrawEnabled);
    Frames(60);
    EXPECT_EQ(DamageLog::Hits.size(), 2u);
    (void)far;
}

TEST_F(ToolsTest, TheBlockPlacerFillsOnlyAnEmptyCellInReachThatNothingStandsIn) {
    table.Get(1)->CorrespondingItem = "Item_DirtBlock";
    Select("Item_BlockPlacer");
    addItem(3, "Item_DirtBlock");
    Fire();
    PointAt({15.5f, -15.5f}); // beyond reach: the clamped tip lies in another cell
    Frames(1);
    EXPECT_EQ(grid.Get(15, 15), 0);
    PointAt({10.5f, -15.5f}); // the submarine overlaps the cell
    Frames(1);
    EXPECT_EQ(grid.Get(10, 15), 0);
    grid.Set(12, 15, 2);
    PointAt({12.5f, -15.5f}); // full
    Frames(1);
    EXPECT_EQ(grid.Get(12, 15), 2);
    EXPECT_EQ(Played("BlockPlaced"), 0);

    PointAt({12.5f, -16.5f});
    Frames(1);
    EXPECT_EQ(grid.Get(12, 16), 1);
    EXPECT_EQ(Played("BlockPlaced"), 1);
    EXPECT_EQ(findItem("Item_DirtBlock")->Quantity, 2);
}

TEST_F(ToolsTest, TheBoostFiresOnlyOverThePlayAreaAndEndsAfterItsDuration) {
    Select("Item_BoostRocket");
    input.SetMousePosition(1000, 300);
    Fire();
    Frames(1);
    EXPECT_EQ(subBhv->SpeedMultiplier, 1.0f);
    EXPECT_NE(findItem("Item_BoostRocket"), nullptr);
    Fire(false);
    Frames(1);

    input.SetMousePosition(500, 300);
    Fire();
    Frames(1);
    EXPECT_EQ(subBhv->SpeedMultiplier, 3.0f);
    EXPECT_EQ(Played("RocketBoost"), 1);
    EXPECT_EQ(findItem("Item_BoostRocket"), nullptr);
    Frames(58);
    EXPECT_EQ(subBhv->SpeedMultiplier, 3.0f);
    Frames(3);
    EXPECT_EQ(subBhv->SpeedMultiplier, 1.0f);
    EXPECT_EQ(Played("RocketBoostEnd"), 1);
}

TEST_F(ToolsTest, ABombKeepsTheSubsVelocityBlinksSlowlyThenQuicklyAndExplodes) {
    Select("Item_Bomb", 2);
    Body()->SetLinearVelocity(b2Vec2(3.0f, 0.0f));
    PointAt({20, -20});
    Fire();
    Frames(1);
    EXPECT_EQ(findItem("Item_Bomb")->Quantity, 1);
    ASSERT_EQ(CountThings("LiveBomb"), 1);
    GameObject* bomb = nullptr;
    for (ThingGridCellBhv* cell : thingRoot->Cells()) {
        for (GameObject* child : cell->Owner->Children) {
            bomb = child->PrefabName == "LiveBomb" ? child : bomb;
        }
    }
    ASSERT_NE(bomb, nullptr);
    EXPECT_NEAR(bomb->Body()->GetBody()->GetLinearVelocity().x, 3.0f, 1e-5f);
    EXPECT_NEAR(bomb->GetPosition().y, Body()->GetPosition().y - 1.5f, 1e-3f);

    // The frames of the beeps: every half second for two seconds, every tenth for the last one.
    std::vector<int> beeps{1};
    int frame = 1;
    while (Played("BombBlast") == 0 && frame < 400) {
        Frames(1);
        ++frame;
        if (Played("BombBeep") > static_cast<int>(beeps.size())) {
            beeps.push_back(frame);
        }
    }
    // A beep that falls exactly on a change of pace (2 s, 3 s) may land on either side of it.
    int slow = 0;
    int fast = 0;
    for (size_t i = 1; i < beeps.size(); ++i) {
        if (beeps[i] <= 121) {
            EXPECT_NEAR(beeps[i] - beeps[i - 1], 30, 1) << testing::PrintToString(beeps);
        } else if (beeps[i - 1] > 121) {
            EXPECT_NEAR(beeps[i] - beeps[i - 1], 6, 1) << testing::PrintToString(beeps);
        }
        slow += beeps[i] < 115 ? 1 : 0;
        fast += beeps[i] > 124 && beeps[i] < 178 ? 1 : 0;
    }
    EXPECT_EQ(slow + 1, 4);
    EXPECT_EQ(fast, 9);
    EXPECT_NEAR(frame, 181, 1);
    EXPECT_EQ(CountThings("LiveBomb"), 0);
    EXPECT_EQ(inventory->Health, 4); // the submarine was 1.5 units from the blast
}

TEST_F(ToolsTest, AnExplosionClearsTheTilesItCanWithinItsRadius) {
    for (int c = 30; c < 50; ++c) {
        for (int r = 30; r < 50; ++r) {
            grid.Set(c, r, (c + r) % 2 == 0 ? 2 : 12);
        }
    }
    table.Get(12)->Hardness = 25;
    auto* explosive = new ExplosiveBhv();
    GameObject* object = Add("Blast", explosive);
    object->AddComponent(new Pos2dComponent());
    object->Pos2d()->Pos = {40.0f, -40.0f};
    explosive->explode();
    int cleared = 0;
    for (int c = 30; c < 50; ++c) {
        for (int r = 30; r < 50; ++r) {
            const Vector2 centre = TileGrid::CellCentre(c, r);
            const float d = std::hypot(centre.x - 40.0f, centre.y + 40.0f);
            const bool soft = (c + r) % 2 == 0;
            EXPECT_EQ(grid.Get(c, r) == 0, soft && d < 4.0f) << c << "," << r;
            cleared += grid.Get(c, r) == 0 ? 1 : 0;
        }
    }
    EXPECT_GT(cleared, 20);
    explosive->TileDamageRadius = -1.0f;
    explosive->explode();
    explosive->TileDamageRadius = 1e30f;
    explosive->explode();
}

} // namespace
