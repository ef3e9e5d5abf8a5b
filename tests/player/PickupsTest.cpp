#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HudMessageRecorder.h"
#include "PlayerFixture.h"
#include "components/SpriteComponent.h"
#include "components/TintComponent.h"
#include "player/pickups/IPickup.h"
#include "player/pickups/PickupFlashBhv.h"

namespace {

class PickupsTest : public PlayerFixture {
protected:
    PickupsTest() {
        AddPickup("Pkup_Heart", R"("Pkup_HeartBhv": "")");
        AddPickup("Pkup_HealthUp", R"("Pkup_HealthUpBhv": {"HealthMaxIncrease": "3"})");
        AddPickup("Pkup_StorageUp", R"("Pkup_StorageUpBhv": "")");
        AddPickup("Pkup_SpeedUp", R"("Pkup_SpeedUpBhv": "")");
        AddPickup("Pkup_Money1", R"("Pkup_MoneyBhv": {"Money": "4"})");
        AddPickup("Pkup_Item", R"("Pkup_ItemBhv": "", "PickupFlashBhv": "")");
        AddItem("Item_Copper", R"("IconTint": {"A": "1", "Rgb": "ff8000"}, "IconScale": "0.5")");
    }

    // Spawns the pickup away from the submarine and collects it.
    IPickup* Spawn(const std::string& name) {
        lastPickup = thingRoot->SpawnThing(name, {40, -40});
        return FindPickup(*lastPickup);
    }
    bool Collect(const std::string& name) {
        IPickup* pickup = Spawn(name);
        if (!pickup->canPickUp()) {
            return false;
        }
        pickup->pickUp();
        return true;
    }

    std::vector<std::string> messages;
    GameObject* lastPickup = nullptr;
    HudMessageRecorder recorder{[this](const std::string& text) {
        // The pickup is already on its way out when its message shows.
        messages.push_back(text + (lastPickup && lastPickup->PendingDestroy ? " (removed)" : ""));
    }};
};

TEST_F(PickupsTest, HeartsRestoreUpToTheMaximumAndWaitAtFullHealth) {
    inventory->Health = 5;
    EXPECT_TRUE(Collect("Pkup_Heart"));
    EXPECT_EQ(inventory->Health, 6);
    EXPECT_TRUE(lastPickup->PendingDestroy);
    EXPECT_FALSE(Collect("Pkup_Heart"));
    EXPECT_FALSE(lastPickup->PendingDestroy);
    EXPECT_EQ(Played("HealthRestore"), 1);
}

TEST_F(PickupsTest, UpgradesChangeTheirValuePlayTheirCueAndShowTheirMessageLast) {
    inventory->Health = 4;
    EXPECT_TRUE(Collect("Pkup_HealthUp"));
    EXPECT_EQ(inventory->HealthMax, 9);
    EXPECT_EQ(inventory->Health, 7);
    EXPECT_TRUE(Collect("Pkup_StorageUp"));
    EXPECT_EQ(inventory->StorageMax, 55);
    const float force = subBhv->MovementForce;
    EXPECT_TRUE(Collect("Pkup_SpeedUp"));
    EXPECT_EQ(subBhv->MovementForce, force + 1.0f);
    EXPECT_TRUE(Collect("Pkup_Money1"));
    EXPECT_EQ(inventory->Money, 4);
    EXPECT_EQ(messages, (std::vector<std::string>{"Health Up (removed)", "Storage Up (removed)",
                                                  "Speed Up (removed)"}));
    EXPECT_EQ(Played("Upgrade"), 3);
    EXPECT_EQ(Played("MoneyPickup"), 1);
}

TEST_F(PickupsTest, AnItemPickupCarriesItsItemAndIsTakenInFullUntilStorageIsFull) {
    GameObject* pickup = thingRoot->SpawnItemPickup(10, "Item_Copper", {40, -40});
    ASSERT_NE(pickup, nullptr);
    GameObject* carried = pickup->FindChild("Item");
    ASSERT_NE(carried, nullptr);
    EXPECT_FALSE(carried->UpdateEnabled || carried->InputEnabled || carried->DrawEnabled);
    EXPECT_EQ(ItemOf(*carried)->Quantity, 10);
    EXPECT_EQ(pickup->Sprite()->Size, (Vector2{0.5f, 0.5f}));
    EXPECT_EQ(pickup->Tint()->Tint, (Color{255, 128, 0, 255}));
    EXPECT_EQ(pickup->GetComponentOfType<PickupFlashBhv>()->BaseColour, (Color{255, 128, 0, 255}));

    inventory->StorageUsed = 45;
    IPickup* item = FindPickup(*pickup);
    ASSERT_TRUE(item->canPickUp());
    item->pickUp();
    EXPECT_EQ(inventory->StorageUsed, 55);
    EXPECT_EQ(findItem("Item_Copper")->Quantity, 10);
    EXPECT_EQ(Played("ItemPickup"), 1);
    EXPECT_FALSE(FindPickup(*thingRoot->SpawnItemPickup(1, "Item_Copper", {40, -40}))->canPickUp());
    inventory->StorageUsed = 50;
    EXPECT_FALSE(FindPickup(*thingRoot->SpawnItemPickup(1, "Item_Copper", {40, -40}))->canPickUp());

    // An item that no longer exists is not dropped.
    EXPECT_EQ(thingRoot->SpawnItemPickup(1, "Item_Gone", {40, -40}), nullptr);
}

TEST_F(PickupsTest, TouchingAPickupCollectsItWithoutAPushAndTheMagnetPullsItIn) {
    inventory->Health = 2;
    PlaceSub({40, -40});
    Body()->SetAngularVelocity(0.0f);
    thingRoot->SpawnThing("Pkup_Heart", {42.5f, -40});
    RunFrames(120);
    EXPECT_EQ(inventory->Health, 4);
    EXPECT_NEAR(Body()->GetLinearVelocity().Length(), 0.0f, 1e-4f);
    EXPECT_EQ(CountThings("Pkup_Heart"), 0);
}

TEST_F(PickupsTest, APickupFlashesItsColoursFor45Of55Hundredths) {
    GameObject* pickup = thingRoot->SpawnItemPickup(1, "Item_Copper", {40, -40});
    const Color base{255, 128, 0, 255};
    std::vector<int> shown;
    for (int frame = 0; frame < 66; ++frame) {
        shown.push_back(pickup->Tint()->Tint == base ? 1 : 0);
        RunFrame();
    }
    int colourFrames = 0;
    for (int i = 0; i < 33; ++i) {
        colourFrames += shown[i];
    }
    EXPECT_NEAR(colourFrames, 27, 1);
    EXPECT_EQ(shown[0], 1);
    EXPECT_EQ(shown[33], 1);
}

} // namespace
