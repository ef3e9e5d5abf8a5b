#include <gtest/gtest.h>

#include "PlayerFixture.h"
#include "player/items/AllItemsBhv.h"
#include "player/items/ForSaleItemsBhv.h"
#include "player/items/HealthItemBhv.h"
#include "player/items/ItemUnlockComponent.h"

namespace {

class InventoryTest : public PlayerFixture {
protected:
    InventoryTest() {
        AddItem("Item_Gun", R"("IsWeapon": "true", "UnlockBit": "1", "BuySortOrder": "5")");
        AddItem("Item_Rifle", R"("IsWeapon": "true", "UnlockBit": "2", "BuySortOrder": "1")");
        AddItem("Item_Copper", R"("UnlockBit": "0")");
        AddItem("Item_DirtBlock", R"("IsBlock": "true", "UnlockBit": "1", "BuySortOrder": "5")");
        AddItem("Item_Quickslot3", R"("UnlockBit": "1")");
        AddItem("Item_Quickslot4", R"("UnlockBit": "1")");
        AddItem("Item_Kit", R"("IsUseable": "true")", R"("HealthItemBhv": {"HealthToRestore": "3"})");
        AddItem("Item_Sub_Big", R"("SubOwnedBit": "2", "SubStorage": "3", "SubHealth": "2", "SubSpeed": "3",
                                   "Price": "1200", "UnlockBit": "4")");
        AddPrefab("Sub_Big", R"({"Components": {"B2BodyComponent": {"Type": "2"}, "B2FixtureComponent":
                                   {"Shape": "Box 1 0.5"}, "SubBhv": ""}, "AutoCreate": ""})");
        AddPrefab("ForSale", R"({"Components": {"ForSaleItemsBhv": "",
            "ItemUnlockComponent": {"UnlockBit": "2", "NeededItemName": "Item_Copper", "QuantityNeeded": "50"},
            "ItemUnlockComponent": {"UnlockBit": "4", "NeededItemName": "Item_Silver", "QuantityNeeded": "5"}},
            "AutoCreate": ""})");
        catalogueObject = Add("AllItems", catalogue = new AllItemsBhv());
        forSaleObject = new GameObject("ForSale");
        root.AppendChild(forSaleObject);
        forSale = forSaleObject->GetComponentOfType<ForSaleItemsBhv>();
    }

    ItemComponent* ForSaleItem(const std::string& name) const {
        for (GameObject* child : forSaleObject->Children) {
            if (child->PrefabName == name) {
                return ItemOf(*child);
            }
        }
        return nullptr;
    }

    GameObject* catalogueObject = nullptr;
    AllItemsBhv* catalogue = nullptr;
    GameObject* forSaleObject = nullptr;
    ForSaleItemsBhv* forSale = nullptr;
};

TEST_F(InventoryTest, CataloguesHoldEveryItemAndTheSellableOnesInAStableBuyingOrder) {
    EXPECT_EQ(catalogue->Items.size(), 9u);
    EXPECT_NE(catalogueItem("Item_PlasticDrill"), nullptr);
    EXPECT_EQ(catalogueItem("Item_Nothing"), nullptr);
    EXPECT_FALSE(catalogueObject->UpdateEnabled || catalogueObject->InputEnabled ||
                 catalogueObject->DrawEnabled);
    std::vector<std::string> order;
    for (GameObject* child : forSaleObject->Children) {
        order.push_back(child->PrefabName);
    }
    // Sort orders 0, 1, 5, 5: equal orders keep the catalogue's name order.
    EXPECT_EQ(order, (std::vector<std::string>{"Item_Quickslot3", "Item_Quickslot4", "Item_Sub_Big",
                                               "Item_Rifle", "Item_DirtBlock", "Item_Gun"}));
    EXPECT_FALSE(forSaleObject->UpdateEnabled);
}

TEST_F(InventoryTest, QuickSlotExpansionsAreOfferedOneAtATimeAndAddNoObject) {
    EXPECT_TRUE(isUnlocked(*ForSaleItem("Item_Quickslot3")));
    EXPECT_FALSE(isUnlocked(*ForSaleItem("Item_Quickslot4")));
    addItem(1, "Item_Quickslot3");
    EXPECT_EQ(inventory->QuickslotCount, 3);
    EXPECT_EQ(HeldObjects(), 0);
    EXPECT_FALSE(isUnlocked(*ForSaleItem("Item_Quickslot3")));
    EXPECT_TRUE(isUnlocked(*ForSaleItem("Item_Quickslot4")));
    EXPECT_TRUE(isUnlocked(*ForSaleItem("Item_Gun")));
    EXPECT_FALSE(isUnlocked(*ForSaleItem("Item_Rifle")));
}

TEST_F(InventoryTest, WeaponsTakeFreeSlotsOnlyTheSelectedOneTakesInputAndItemsStack) {
    addItem(1, "Item_PlasticDrill");
    addItem(1, "Item_Gun");
    addItem(1, "Item_Rifle"); // both slots taken
    EXPECT_EQ(findItem("Item_PlasticDrill")->QuickslotIndex, 0);
    EXPECT_EQ(findItem("Item_Gun")->QuickslotIndex, 1);
    EXPECT_EQ(findItem("Item_Rifle")->QuickslotIndex, -1);
    EXPECT_EQ(weaponInSlot(1), findItem("Item_Gun"));
    for (int slot : {0, 1, 2}) {
        inventory->SelectedQuickslot = slot;
        RunFrame();
        EXPECT_EQ(findItem("Item_PlasticDrill")->Owner->InputEnabled, slot == 0);
        EXPECT_EQ(findItem("Item_Gun")->Owner->InputEnabled, slot == 1);
        EXPECT_FALSE(findItem("Item_Rifle")->Owner->InputEnabled);
    }

    addItem(2, "Item_Copper");
    addItem(5, "Item_Copper");
    EXPECT_EQ(findItem("Item_Copper")->Quantity, 7);
    EXPECT_EQ(HeldObjects(), 4);
    EXPECT_EQ(inventory->StorageUsed, 10);

    testing::internal::CaptureStderr();
    addItem(3, "Item_Missing");
    const std::string warning = testing::internal::GetCapturedStderr();
    EXPECT_EQ(HeldObjects(), 4);
    EXPECT_EQ(inventory->StorageUsed, 10);
    EXPECT_NE(warning.find("Item_Missing"), std::string::npos);
    EXPECT_EQ(std::count(warning.begin(), warning.end(), '\n'), 1);

    clearInventory();
    EXPECT_EQ(inventoryObject->Children.size(), 0u);
    EXPECT_EQ(inventory->StorageUsed, 0);
}

TEST_F(InventoryTest, TheCurrentBlockIsTheFirstBlockUntilItsLastUnitGoes) {
    addItem(2, "Item_DirtBlock");
    ItemComponent* block = findItem("Item_DirtBlock");
    EXPECT_EQ(inventory->CurrentBlock.Get(), block);
    removeItem(block, 1);
    EXPECT_EQ(inventory->CurrentBlock.Get(), block);
    removeItem(block, 1);
    EXPECT_EQ(inventory->CurrentBlock.Get(), nullptr);
    EXPECT_TRUE(block->Owner->PendingDestroy);
    EXPECT_EQ(findItem("Item_DirtBlock"), nullptr);
    EXPECT_EQ(inventory->StorageUsed, 0);
}

TEST_F(InventoryTest, AHealthItemRestoresUpToTheMaximumAndIsUsedUp) {
    addItem(2, "Item_Kit");
    auto* kit = findItem("Item_Kit")->Owner->GetComponentOfType<HealthItemBhv>();
    inventory->Health = 6;
    EXPECT_FALSE(kit->canUse());
    inventory->Health = 5;
    ASSERT_TRUE(kit->canUse());
    kit->use();
    EXPECT_EQ(inventory->Health, 6);
    EXPECT_EQ(findItem("Item_Kit")->Quantity, 1);
    EXPECT_EQ(Played("HealthRestore"), 1);
}

TEST_F(InventoryTest, ABoughtSubmarineReplacesTheOldOneWithItsClassesAndThenCostsNothing) {
    ItemComponent* offer = ForSaleItem("Item_Sub_Big");
    EXPECT_EQ(effectivePrice(*offer), 1200);
    PlaceSub({40, -50});
    addItem(1, "Item_Sub_Big");
    EXPECT_EQ(effectivePrice(*offer), 0);
    EXPECT_EQ(inventory->StorageMax, 120);
    EXPECT_EQ(inventory->HealthMax, 10);
    EXPECT_EQ(HeldObjects(), 0);
    EXPECT_TRUE(sub->PendingDestroy);
    GameObject* bought = Submarine();
    ASSERT_NE(bought, nullptr);
    EXPECT_EQ(bought->PrefabName, "Sub_Big");
    EXPECT_EQ(bought->Parent, subRootObject);
    EXPECT_EQ(bought->GetPosition(), (Vector2{40, -50}));
    EXPECT_EQ(bought->GetComponentOfType<SubBhv>()->MovementForce, 55.0f);

    prefabs.Prefabs.erase("Item_Sub_Big");
    catalogue->Items.erase("Item_Sub_Big");
    testing::internal::CaptureStderr();
    addItem(1, "Item_Sub_Big"); // no longer in the catalogue: cannot be bought
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Item_Sub_Big"), std::string::npos);
    EXPECT_EQ(Submarine(), bought);
}

TEST_F(InventoryTest, SellingTheNeededQuantityAtOnceUnlocksOnce) {
    recordSale(49, "Item_Copper");
    EXPECT_EQ(forSale->UnlockedBits, 1);
    recordSale(1, "Item_Copper");
    EXPECT_EQ(forSale->UnlockedBits, 3);
    recordSale(50, "Item_Copper");
    EXPECT_EQ(Played("ItemsUnlocked"), 1);
    EXPECT_TRUE(isUnlocked(*ForSaleItem("Item_Rifle")));
    recordSale(50, "Item_Silver");
    EXPECT_EQ(forSale->UnlockedBits, 7);
    EXPECT_EQ(Played("ItemsUnlocked"), 2);
}

} // namespace
