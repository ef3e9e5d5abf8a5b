#include <gtest/gtest.h>

#include "HudFixture.h"
#include "components/SpriteComponent.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/Pos2dComponent.h"
#include "enemies/damage/EnemyComponent.h"
#include "events/BossEvents.h"
#include "events/GameEvents.h"
#include "player/HudMessage.h"
#include "ui/hud/HudBossMeterBhv.h"
#include "ui/hud/HudItemListingBhv.h"
#include "ui/store/UiSupplyLoadoutBhv.h"

namespace {

using HudTest = HudFixture;

// Inside the i-th row of the list.
Vector2 InRow(int j) {
    return {1000.0f, 150.0f + 30.0f * static_cast<float>(j) + 10.0f};
}

TEST_F(HudTest, ReadoutsQuickSlotKeysAndWeaponsBeyondTheSlots) {
    inventory->Money = 120;
    inventory->Health = 4;
    addItem(1, "Item_Gun");
    addItem(1, "Item_Rifle");
    RunFrame();
    EXPECT_EQ(TextOf({"HudStats", "Money"}), "$ 120   goal: $2816");
    EXPECT_EQ(TextOf({"HudStats", "Health"}), "HP:  4/6");

    Tap(Key::Oem2);
    EXPECT_EQ(inventory->SelectedQuickslot, 1);
    Tap(Key::Oem3); // two slots only
    EXPECT_EQ(inventory->SelectedQuickslot, 1);
    EXPECT_EQ(Piece({"Slot1", "Border"})->Tint()->Tint.a, 76);
    EXPECT_EQ(Piece({"Slot2", "Border"})->Tint()->Tint.a, 255);

    // A third weapon finds both slots taken: listed, unmarked, in no frame.
    addItem(1, "Item_PlasticDrill");
    RunFrame();
    EXPECT_EQ(RowName(0), "Gun (slot 1)");
    EXPECT_EQ(RowName(1), "Rifle (slot 2)");
    EXPECT_EQ(ItemOf(*inventoryObject->Children[2])->QuickslotIndex, -1);
    EXPECT_EQ(RowName(2), ItemOf(*inventoryObject->Children[2])->DisplayName);
    EXPECT_EQ(Piece({"Slot1", "Icon"})->Sprite()->GetImageName(), "IconGun");
    EXPECT_EQ(Piece({"Slot2", "Icon"})->Sprite()->GetImageName(), "IconRifle");
    EXPECT_FALSE(Piece({"Slot3"})->DrawEnabled);

    // The readouts follow the inventory.
    inventory->Money = 7;
    RunFrame();
    EXPECT_EQ(TextOf({"HudStats", "Money"}), "$ 7   goal: $2816");
}

TEST_F(HudTest, ScrollingTenItemsInSixRowsStopsOnePastTheLastFullPage) {
    for (char c = 'A'; c <= 'J'; ++c) {
        addItem(1, std::string("Item_Ore") + c);
    }
    RunFrame();
    EXPECT_TRUE(Button("BtnScrollUp")->IsGrayedOut);
    EXPECT_FALSE(Button("BtnScrollDown")->IsGrayedOut);

    // Holding the down button scrolls every 0.07 s and stops at 10 - 6 + 1.
    Mouse({1260, 300}, true);
    EXPECT_EQ(list->ScrollOffset(), 1);
    for (int i = 0; i < 120; ++i) {
        Mouse({1260, 300}, true);
    }
    Mouse({1260, 300}, false);
    EXPECT_EQ(list->ScrollOffset(), 5);
    EXPECT_FALSE(Row(Rows - 1)->DrawEnabled);
    EXPECT_TRUE(Row(Rows - 2)->DrawEnabled);
    EXPECT_TRUE(Button("BtnScrollDown")->IsGrayedOut);
    EXPECT_FALSE(Button("BtnScrollUp")->IsGrayedOut);
    // The rows were stacked 30 pixels apart.
    EXPECT_FLOAT_EQ(Row(3)->Pos2d()->Pos.y, 240.0f);

    // Selling most of them never leaves the list scrolled past its items.
    for (int i = 0; i < 7; ++i) {
        removeItem(ItemOf(*inventoryObject->Children.back()), 1);
        RunFrame();
    }
    EXPECT_EQ(list->ScrollOffset(), 0);
    EXPECT_TRUE(Row(0)->DrawEnabled);
}

TEST_F(HudTest, StorageLineTurnsRedExactlyWhenFull) {
    inventory->StorageMax = 3;
    inventory->StorageUsed = 2;
    RunFrame();
    GameObject* line = Piece({"List", "StorageText"});
    EXPECT_EQ(line->Text()->Text, "Hold:  2/3  (tools count)");
    EXPECT_EQ(line->Tint()->Tint, Color::White());
    inventory->StorageUsed = 3;
    RunFrame();
    EXPECT_EQ(line->Text()->Text, "Hold:  3/3  (tools count)");
    EXPECT_EQ(line->Tint()->Tint, (Color{255, 85, 85, 255}));
}

TEST_F(HudTest, BossMeterEmptiesAtTheTeaseAndKeepsItsLeftEnd) {
    GameObject* meter = Piece({"BossMeter"});
    GameObject* bar = meter->FindChild("Bar");
    EXPECT_FALSE(meter->DrawEnabled);

    auto* boss = new GameObject();
    auto* enemy = new EnemyComponent();
    enemy->HealthStart = enemy->Health = 100;
    boss->AddComponent(enemy);
    root.AppendChild(boss);
    BossEventArgs args{boss};
    events.Boss->BossAppeared.Raise(&args);
    RunFrame();
    EXPECT_TRUE(meter->DrawEnabled);
    EXPECT_FLOAT_EQ(bar->Sprite()->Size.x, 200.0f);
    EXPECT_FLOAT_EQ(bar->Pos2d()->Pos.x, 1100.0f);

    enemy->Health = 55;
    RunFrame();
    EXPECT_FLOAT_EQ(bar->Sprite()->Size.x, 100.0f);
    EXPECT_FLOAT_EQ(bar->Pos2d()->Pos.x - bar->Sprite()->Size.x / 2, 1000.0f);
    for (int health : {10, 3}) {
        enemy->Health = health;
        RunFrame();
        EXPECT_FLOAT_EQ(bar->Sprite()->Size.x, 0.0f);
        EXPECT_FLOAT_EQ(bar->Pos2d()->Pos.x, 1000.0f);
    }

    events.Boss->BossDefeated.Raise(&args);
    EXPECT_FALSE(meter->DrawEnabled);
    events.Boss->BossAppeared.Raise(&args);
    events.Game->WorldGenerated.Raise();
    RunFrame();
    EXPECT_FALSE(meter->DrawEnabled);
    EXPECT_FLOAT_EQ(meter->GetComponentOfType<HudBossMeterBhv>()->Fill(), 0.0f);
}

TEST_F(HudTest, ClickingRowsUsesItemsPicksBlocksAndBuzzesWhenUnusable) {
    addItem(2, "Item_Kit");
    addItem(5, "Item_DirtBlock");
    inventory->CurrentBlock = nullptr;
    RunFrame();
    EXPECT_EQ(Row(0)->FindChild("QuantityText")->Text()->Text, "x 2");
    EXPECT_EQ(Row(0)->FindChild("Background")->Tint()->Tint, (Color{17, 17, 17, 255}));
    EXPECT_EQ(Row(1)->FindChild("Background")->Tint()->Tint, (Color{0, 0, 0, 255}));

    // At full health the kit cannot be used.
    Mouse(InRow(0), true);
    EXPECT_EQ(Row(0)->FindChild("Background")->Tint()->Tint, (Color{34, 34, 34, 255}));
    Mouse(InRow(0), false);
    EXPECT_EQ(Played("ErrorBuzz"), 1);
    EXPECT_EQ(ItemOf(*inventoryObject->Children[0])->Quantity, 2);
    EXPECT_EQ(inventory->Health, 6);

    inventory->Health = 2;
    Click(InRow(0));
    EXPECT_EQ(inventory->Health, 5);
    EXPECT_EQ(ItemOf(*inventoryObject->Children[0])->Quantity, 1);

    // Released outside the row: nothing.
    Mouse(InRow(0), true);
    Mouse({600, 300}, false);
    EXPECT_EQ(inventory->Health, 5);

    Click(InRow(1));
    EXPECT_EQ(inventory->CurrentBlock.Get(), ItemOf(*inventoryObject->Children[1]));
    EXPECT_EQ(Played("BlockPlaced"), 1);

    // Using the last kit: the row moves on to the next item without touching the one that went.
    Click(InRow(0));
    RunFrame();
    EXPECT_EQ(RowName(0), "Dirt");
    EXPECT_FALSE(Row(1)->DrawEnabled);
}

TEST_F(HudTest, GreyedButtonStillClicksAndHolds) {
    UiButtonBhv* button = Button("BtnScrollUp");
    int clicks = 0;
    button->SetClickHandler([&] { ++clicks; });
    RunFrame();
    ASSERT_TRUE(button->IsGrayedOut);
    EXPECT_EQ(button->Owner->Tint()->Tint.a, UiButtonBhv::GrayedAlpha);

    Mouse({1262, 148}, true);
    EXPECT_TRUE(button->IsHeld());
    Mouse({1262, 148}, false);
    EXPECT_FALSE(button->IsHeld());
    EXPECT_EQ(clicks, 1);

    // Pressed elsewhere and released over it: no click.
    Mouse({900, 148}, true);
    Mouse({1262, 148}, false);
    EXPECT_EQ(clicks, 1);

    for (char c = 'A'; c <= 'G'; ++c) {
        addItem(1, std::string("Item_Ore") + c);
    }
    Mouse({1260, 300}, true);
    Mouse({1260, 300}, false);
    EXPECT_FALSE(button->IsGrayedOut);
    EXPECT_EQ(button->Owner->Tint()->Tint.a, 255);
}

TEST_F(HudTest, LoadoutDragPutsAWeaponIntoTheSlotItIsDroppedOn) {
    addItem(1, "Item_Gun");
    addItem(1, "Item_Rifle");
    addItem(1, "Item_PlasticDrill");
    ItemComponent* gun = ItemOf(*inventoryObject->Children[0]);
    ItemComponent* rifle = ItemOf(*inventoryObject->Children[1]);
    ItemComponent* drill = ItemOf(*inventoryObject->Children[2]);
    RunFrame();

    // Outside loadout mode a drag does nothing.
    Mouse(InRow(2), true);
    Mouse({1035 + 27, 26 + 24}, false);
    EXPECT_EQ(drill->QuickslotIndex, -1);

    hudRoot->SetLoadoutMode(true);
    Mouse(InRow(2), true);
    Mouse({1110, 40}, true);
    EXPECT_FLOAT_EQ(Row(2)->Pos2d()->Pos.x, 980.0f + 110.0f);
    EXPECT_FLOAT_EQ(Row(2)->Pos2d()->Pos.y, 210.0f - 180.0f);
    Mouse({1035 + 27, 26 + 24}, false);
    EXPECT_EQ(drill->QuickslotIndex, 1);
    EXPECT_EQ(rifle->QuickslotIndex, -1);
    EXPECT_EQ(gun->QuickslotIndex, 0);
    EXPECT_FLOAT_EQ(Row(2)->Pos2d()->Pos.x, 980.0f);
    EXPECT_FLOAT_EQ(Row(2)->Pos2d()->Pos.y, 210.0f);

    // Slot 3 is beyond the inventory's two; a non-weapon never goes into a slot.
    Mouse(InRow(1), true);
    Mouse({1093 + 5, 30}, false);
    EXPECT_EQ(rifle->QuickslotIndex, -1);
    addItem(1, "Item_OreA");
    RunFrame();
    Mouse(InRow(3), true);
    Mouse({990, 30}, false);
    EXPECT_EQ(ItemOf(*inventoryObject->Children[3])->QuickslotIndex, -1);
    EXPECT_EQ(gun->QuickslotIndex, 0);
}

TEST_F(HudTest, LoadoutMenuDrivesThePausedHudUntilCancelled) {
    AddPrefab("TestLoadoutMenu", R"({"Components": {"UiSupplyLoadoutBhv": ""}, "AutoCreate": ""})");
    auto* menu = new GameObject("TestLoadoutMenu");
    root.AppendChild(menu);
    EXPECT_FALSE(menu->InputEnabled || menu->UpdateEnabled || menu->DrawEnabled);
    addItem(1, "Item_Gun");
    addItem(1, "Item_Rifle");
    RunFrame();

    // Opened: the game stands still, the menu turns the HUD's passes by hand.
    screen->InputEnabled = screen->UpdateEnabled = false;
    menu->InputEnabled = menu->UpdateEnabled = menu->DrawEnabled = true;
    inventory->Money = 42;
    Mouse(InRow(1), true);
    EXPECT_TRUE(hudRoot->IsLoadoutMode());
    EXPECT_EQ(TextOf({"HudStats", "Money"}), "$ 42   goal: $2816");
    Mouse({980 + 10, 40}, false);
    EXPECT_EQ(ItemOf(*inventoryObject->Children[1])->QuickslotIndex, 0);
    EXPECT_EQ(ItemOf(*inventoryObject->Children[0])->QuickslotIndex, -1);
    RunFrame();
    EXPECT_EQ(RowName(0), "Gun");
    EXPECT_EQ(RowName(1), "Rifle (slot 1)");

    Tap(Key::Esc);
    EXPECT_FALSE(menu->InputEnabled || menu->UpdateEnabled || menu->DrawEnabled);
    EXPECT_FALSE(hudRoot->IsLoadoutMode());
}

TEST_F(HudTest, MessageFlashHoldsThenFadesOutAndLeavesWithItsObject) {
    GameObject* flash = Piece({"Flash"});
    RunFrame();
    EXPECT_FALSE(flash->DrawEnabled);
    showHudMessage("Health Up");
    RunFrame();
    EXPECT_TRUE(flash->DrawEnabled);
    EXPECT_EQ(TextOf({"Flash", "HudText"}), "Health Up");
    EXPECT_EQ(flash->FindChild("HudText")->Tint()->Tint.a, 255);
    // Full strength for most of its time, so it can be read, then fading over its last 0.6 s.
    RunFrames(59);
    EXPECT_EQ(flash->FindChild("HudText")->Tint()->Tint.a, 255);
    RunFrames(43);
    EXPECT_NEAR(flash->FindChild("HudText")->Tint()->Tint.a, 127, 3);
    RunFrames(19);
    EXPECT_FALSE(flash->DrawEnabled);

    flash->DestroyLater();
    RunFrame();
    showHudMessage("nobody listens"); // must not reach the deleted flash
}

} // namespace
