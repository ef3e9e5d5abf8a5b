#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "StoreFixture.h"
#include "player/items/ItemUnlockComponent.h"

namespace {

class StoreTest : public StoreFixture {
protected:
    StoreTest() {
        AddItem("Item_Lamp", R"("Price": "30", "UnlockBit": "1", "BuySortOrder": "1", "DisplayName": "Lamp",
                                "Description": "Bright.", "IconImageName": "IconLamp")");
        AddItem("Item_Quickslot3", R"("Price": "150", "UnlockBit": "1", "BuySortOrder": "2")");
        AddItem("Item_Quickslot4", R"("Price": "400", "UnlockBit": "1", "BuySortOrder": "2")");
        AddItem("Item_Sub_Big", R"("Price": "1200", "UnlockBit": "1", "BuySortOrder": "3", "SubOwnedBit": "2",
                                   "SubStorage": "2")");
        AddPrefab("Sub_Big", R"({"Components": {"B2BodyComponent": {"Type": "2"}, "B2FixtureComponent":
                                   {"Shape": "Box 1 0.5"}, "SubBhv": ""}, "AutoCreate": ""})");
        AddItem("Item_Rope", R"("Price": "5", "UnlockBit": "1", "BuySortOrder": "4", "DisplayName": "Rope")");
        AddItem("Item_Chain",
                R"("Price": "9", "UnlockBit": "1", "BuySortOrder": "5", "DisplayName": "Chain")");
        AddItem("Item_DirtBlock", R"("Price": "3", "IsBlock": "true", "DisplayName": "Dirt")");
        AddItem("Item_RockBlock", R"("Price": "4", "IsBlock": "true", "DisplayName": "Rock")");
        AddItem("Item_Copper", R"("Price": "10", "DisplayName": "Copper", "IconImageName": "IconCopper")");
        AddItem("Item_Silver", R"("Price": "30", "DisplayName": "Silver")");
        MakeStore(
            R"(, "ItemUnlockComponent": {"UnlockBit": "2", "NeededItemName": "Item_Copper", "QuantityNeeded": "30"},
                       "ItemUnlockComponent": {"UnlockBit": "4", "NeededItemName": "Item_Silver", "QuantityNeeded": "25"})");
    }

    std::vector<std::string> OfferedTitles() {
        std::vector<std::string> names;
        for (GameObject* child : forSaleObject->Children) {
            ItemComponent* item = ItemOf(*child);
            if (isUnlocked(*item)) {
                names.push_back(child->PrefabName);
            }
        }
        return names;
    }
    // Moves the buy selection onto the offered good of that name.
    void SelectToBuy(const std::string& name) {
        OpenBuy();
        Step();
        for (int guard = 0; guard < 10 && buy->SelectedItem()->ItemName() != name; ++guard) {
            Tap(Key::S);
        }
        ASSERT_EQ(buy->SelectedItem()->ItemName(), name);
    }
    ItemComponent* Offer(const std::string& name) const {
        for (GameObject* child : forSaleObject->Children) {
            if (child->PrefabName == name) {
                return ItemOf(*child);
            }
        }
        return nullptr;
    }
};

TEST_F(StoreTest, TheFrontPageLeadsToEachPageAndCancelWalksBackOutResumingTheGame) {
    auto on = [](const GameObject* menu) {
        return menu->UpdateEnabled && menu->DrawEnabled;
    };
    GameObject* front = menus->SupplyMainMenu();
    GameObject* background = menus->MenuBackground();
    menus->openSupplyMainMenu(); // as a station touched does
    Step();
    EXPECT_TRUE(on(front) && on(background));
    EXPECT_FALSE(screenObject->UpdateEnabled || inventoryObject->UpdateEnabled);

    Tap(Key::S);
    Tap(Key::OemEnter); // "Sell"
    EXPECT_TRUE(on(sellObject));
    EXPECT_FALSE(on(front));
    Tap(Key::Esc);
    EXPECT_TRUE(on(front));
    EXPECT_FALSE(on(sellObject));
    Tap(Key::OemEnter); // the front page starts again on its first line: "Buy"
    EXPECT_TRUE(on(buyObject));
    Tap(Key::S);
    EXPECT_EQ(buy->SelectedIndex(), 1);
    Tap(Key::Esc);
    EXPECT_TRUE(on(front));
    EXPECT_EQ(buy->SelectedIndex(), 0);
    EXPECT_EQ(buy->ScrollTop(), 0);

    Tap(Key::Esc); // leaves the station
    EXPECT_FALSE(on(front) || on(background));
    EXPECT_TRUE(screenObject->UpdateEnabled && inventoryObject->UpdateEnabled);

    menus->openSupplyMainMenu();
    Step();
    Tap(Key::S);
    Tap(Key::S);
    Tap(Key::OemEnter); // "Loadout": the HUD stays in view, so no background
    EXPECT_TRUE(on(menus->SupplyLoadoutMenu()));
    EXPECT_FALSE(on(front) || on(background));
    EXPECT_FALSE(screenObject->UpdateEnabled);
}

TEST_F(StoreTest, HoldingConfirmBuysAgainAndAgainFasterUntilTheMoneyRunsOut) {
    inventory->Money = 100;
    SelectToBuy("Item_Lamp");
    Hold(Key::OemEnter);
    std::vector<float> buys;
    int money = inventory->Money;
    const float pressed = time.TotalTime + time.FrameDelta;
    while (time.TotalTime < pressed + 3.0f && Played("ErrorBuzz") == 0) {
        Step();
        if (inventory->Money != money) {
            money = inventory->Money;
            buys.push_back(time.TotalTime - pressed);
        }
    }
    const float refused = time.TotalTime - pressed;
    // The first buy waits one update; then 0.5 s, 0.45 s and 0.405 s, give or take the frame.
    const float frame = time.FrameDelta + 1e-4f;
    ASSERT_EQ(buys.size(), 3u);
    EXPECT_NEAR(buys[0], 0.0f, 1e-4f);
    EXPECT_NEAR(buys[1] - buys[0], 0.5f, frame);
    EXPECT_NEAR(buys[2] - buys[1], 0.45f, frame);
    EXPECT_NEAR(refused - buys[2], 0.405f, frame);
    EXPECT_EQ(inventory->Money, 10);
    EXPECT_EQ(findItem("Item_Lamp")->Quantity, 3);
    EXPECT_EQ(inventory->StorageUsed, 3);
    EXPECT_EQ(Played("ItemSold"), 3);
    EXPECT_EQ(Played("ErrorBuzz"), 1);

    // Refused, it stays quiet while the key is held, and tries again on the next press.
    Frames(120);
    EXPECT_EQ(Played("ErrorBuzz"), 1);
    Hold(Key::OemEnter, false);
    Step();
    inventory->Money = 30;
    Tap(Key::OemEnter);
    EXPECT_EQ(inventory->Money, 0);
    EXPECT_EQ(findItem("Item_Lamp")->Quantity, 4);
}

TEST_F(StoreTest, TheListOffersWhatIsUnlockedAtEffectivePricesAndScrollsWithTheWrappingSelection) {
    inventory->OwnedSubs = 2;
    OpenBuy();
    Step();
    // Four goods on three rows: "Item_Quickslot4" waits for the third slot, the block items and the
    // minerals are never sold.
    EXPECT_EQ(OfferedTitles(), (std::vector<std::string>{"Item_Lamp", "Item_Quickslot3", "Item_Sub_Big",
                                                         "Item_Rope", "Item_Chain"}));
    EXPECT_EQ(buy->OfferedCount(), 5);
    EXPECT_EQ(Field(*RowOf(buyObject, 0), "Title"), "Lamp");
    EXPECT_EQ(Field(*RowOf(buyObject, 0), "Description"), "Bright.");
    EXPECT_EQ(Field(*RowOf(buyObject, 0), "Price"), "$30");
    EXPECT_EQ(RowOf(buyObject, 0)->FindChild("Icon")->Sprite()->GetImageName(), "IconLamp");
    EXPECT_EQ(Field(*RowOf(buyObject, 2), "Price"), "$0"); // the submarine already owned
    EXPECT_EQ(Tint(*RowOf(buyObject, 0), "Background"), buy->SelectedTint);
    EXPECT_EQ(Tint(*RowOf(buyObject, 1), "Background"), (Color{0x10, 0x20, 0x30, 255}));
    EXPECT_FALSE(Shown(buyObject->FindChild("ScrollUpArrow")));
    EXPECT_TRUE(Shown(buyObject->FindChild("ScrollDownArrow")));

    // Up from the first good wraps to the last, and the list scrolls to show it.
    Tap(Key::W);
    EXPECT_EQ(buy->SelectedIndex(), 4);
    EXPECT_EQ(buy->ScrollTop(), 2);
    EXPECT_EQ(Field(*RowOf(buyObject, 2), "Title"), "Chain");
    EXPECT_EQ(Tint(*RowOf(buyObject, 2), "Background"), buy->SelectedTint);
    EXPECT_TRUE(Shown(buyObject->FindChild("ScrollUpArrow")));
    EXPECT_FALSE(Shown(buyObject->FindChild("ScrollDownArrow")));
    Tap(Key::S);
    EXPECT_EQ(buy->SelectedIndex(), 0);
    EXPECT_EQ(buy->ScrollTop(), 0);

    // Buying the third slot puts the fourth in its place; only then is it offered, and holding
    // the key on in the same place does not buy it.
    EXPECT_FALSE(isUnlocked(*Offer("Item_Quickslot4")));
    inventory->Money = 1000;
    SelectToBuy("Item_Quickslot3");
    Hold(Key::OemEnter);
    Frames(90);
    Hold(Key::OemEnter, false);
    Step();
    EXPECT_EQ(inventory->QuickslotCount, 3);
    EXPECT_EQ(inventory->Money, 850);
    EXPECT_EQ(buy->SelectedItem()->ItemName(), "Item_Quickslot4");
    EXPECT_EQ(Field(*RowOf(buyObject, 1), "Price"), "$400");
    Tap(Key::OemEnter);
    EXPECT_EQ(inventory->QuickslotCount, 4);
    inventory->QuickslotCount = 4;
    Step();
    EXPECT_FALSE(isUnlocked(*Offer("Item_Quickslot4")));
}

// The hold follows the player's hand: moving the selection while "MenuConfirm" stays down carries
// the buying on to the good moved to, also after a good that took the old one's place by itself
// stopped it.
TEST_F(StoreTest, AHeldConfirmCarriesOnToAGoodTheSelectionIsMovedTo) {
    inventory->Money = 1000;
    SelectToBuy("Item_Quickslot3");
    Hold(Key::OemEnter);
    Frames(90);
    EXPECT_EQ(inventory->QuickslotCount, 3);
    EXPECT_EQ(buy->SelectedItem()->ItemName(), "Item_Quickslot4");
    EXPECT_EQ(inventory->Money, 850); // the fourth slot took the third's place: not bought

    Tap(Key::W); // still holding: onto the lamp
    Frames(20);
    ASSERT_NE(findItem("Item_Lamp"), nullptr);
    const int lamps = findItem("Item_Lamp")->Quantity;
    EXPECT_GE(lamps, 1);
    Tap(Key::W); // wraps to the chain, the hold going on
    Frames(60);
    ASSERT_NE(findItem("Item_Chain"), nullptr);
    EXPECT_GE(findItem("Item_Chain")->Quantity, 1);
    EXPECT_EQ(findItem("Item_Lamp")->Quantity, lamps);
    EXPECT_EQ(inventory->QuickslotCount, 3);
    Hold(Key::OemEnter, false);
}

TEST_F(StoreTest, AFullHoldRefusesOrdinaryGoodsButNeverASubmarine) {
    inventory->Money = 2000;
    inventory->StorageMax = 2;
    addItem(2, "Item_Copper");
    SelectToBuy("Item_Lamp");
    Tap(Key::OemEnter);
    EXPECT_EQ(inventory->Money, 2000);
    EXPECT_EQ(findItem("Item_Lamp"), nullptr);
    EXPECT_EQ(Played("ErrorBuzz"), 1);

    // A submarine takes no storage (and brings more of it).
    SelectToBuy("Item_Sub_Big");
    Tap(Key::OemEnter);
    EXPECT_EQ(inventory->Money, 800);
    EXPECT_EQ(inventory->OwnedSubs & 2, 2);
    EXPECT_EQ(inventory->StorageMax, 80);
    EXPECT_EQ(Played("ErrorBuzz"), 1);
    EXPECT_EQ(Played("ItemSold"), 1);
}

TEST_F(StoreTest, SellingPaysHalfThePriceAndStopsAfterTheLastUnitWhileConfirmIsHeld) {
    addItem(2, "Item_Rope");
    addItem(5, "Item_Chain");
    OpenSell();
    Step();
    ASSERT_EQ(sell->HeldItems().size(), 2u);
    EXPECT_EQ(Field(*RowOf(sellObject, 0), "Price"), "Sale Price  $2");
    EXPECT_EQ(Field(*RowOf(sellObject, 0), "QuantityLeft"), "You Have:   2");
    EXPECT_FALSE(Shown(RowOf(sellObject, 2)));

    Hold(Key::OemEnter);
    Frames(240);
    // Both ropes went, for 2 each; the chains below them did not, though the key stayed down.
    EXPECT_EQ(inventory->Money, 4);
    EXPECT_EQ(findItem("Item_Rope"), nullptr);
    EXPECT_EQ(findItem("Item_Chain")->Quantity, 5);
    EXPECT_EQ(inventory->StorageUsed, 5);
    EXPECT_EQ(Played("ItemSold"), 2);
    EXPECT_EQ(sell->SelectedIndex(), 0);
    EXPECT_EQ(Field(*RowOf(sellObject, 0), "Title"), "Chain");

    // A fresh press sells the chains: 4 each, the repeat speeding up as when buying.
    Hold(Key::OemEnter, false);
    Step();
    Hold(Key::OemEnter);
    Frames(60);
    EXPECT_EQ(inventory->Money, 4 + 4 * 3);
    EXPECT_EQ(findItem("Item_Chain")->Quantity, 2);
}

TEST_F(StoreTest, BSellsEveryMineralAndBlockAtOnceWithOneCue) {
    addItem(20, "Item_DirtBlock");
    addItem(1, "Item_RockBlock");
    addItem(3, "Item_Copper");
    ASSERT_EQ(inventory->CurrentBlock.Get(), findItem("Item_DirtBlock"));
    OpenSell();
    Step();
    Tap(Key::B);
    // The minerals go with the blocks: copper sells for 5 a unit.
    EXPECT_EQ(inventory->Money, 20 + 2 + 15);
    EXPECT_EQ(inventory->StorageUsed, 0);
    EXPECT_EQ(inventory->CurrentBlock.Get(), nullptr);
    EXPECT_EQ(findItem("Item_DirtBlock"), nullptr);
    EXPECT_EQ(findItem("Item_RockBlock"), nullptr);
    EXPECT_EQ(findItem("Item_Copper"), nullptr);
    EXPECT_EQ(Played("ItemSold"), 1);
    EXPECT_TRUE(sell->HeldItems().empty());
    Tap(Key::B); // nothing left to sell: no cue
    EXPECT_EQ(Played("ItemSold"), 1);

    // Money at the top of its range stays there, however much is sold.
    constexpr int most = std::numeric_limits<int>::max();
    inventory->Money = most - 1;
    addItem(most, "Item_DirtBlock");
    Tap(Key::B);
    EXPECT_EQ(inventory->Money, most);
}

// The HUD lies under the gameplay screen the store holds, yet shows a sale at once: the money
// readout has the new sum while the sell list is still open.
TEST_F(StoreTest, TheHudShowsASaleWhileTheStoreHoldsTheGame) {
    AddPrefab("TestLabel", R"({"Components": {"TextComponent": ""}, "AutoCreate": ""})");
    AddPrefab("TestStats", R"({"Components": "", "AutoCreate": [{"Name": "Money", "Prefab": "TestLabel"},
                                                                {"Name": "Health", "Prefab": "TestLabel"}]})");
    AddPrefab(
        "TestReadouts",
        R"({"Components": {"HudRootBhv": ""}, "AutoCreate": [{"Name": "HudStats", "Prefab": "TestStats"}]})");
    auto* hud = new GameObject("TestReadouts");
    screenObject->AppendChild(hud);
    addItem(3, "Item_Copper");
    menus->openSupplySellMenu();
    Frames(3);
    ASSERT_FALSE(screenObject->UpdateEnabled);
    Tap(Key::OemEnter);
    Hold(Key::OemEnter, false);
    Step();
    EXPECT_EQ(inventory->Money, 5);
    EXPECT_EQ(hud->FindChild("HudStats")->FindChild("Money")->Text()->Text, "$ 5   goal: $2816");
}

TEST_F(StoreTest, TheNeedsSectionShowsStartedUnlocksAndFlashesOnceWhenOneAppears) {
    Step();
    EXPECT_EQ(needs->RowsInUse(), 0);
    EXPECT_FALSE(needsObject->DrawEnabled);

    // Selling copper starts the first unlock.
    addItem(3, "Item_Copper");
    OpenSell();
    Tap(Key::OemEnter);
    Hold(Key::OemEnter, false);
    ASSERT_EQ(needs->RowsInUse(), 1);
    EXPECT_EQ(Field(*RowOf(needsObject, 0), "Title"), "Copper");
    EXPECT_EQ(Field(*RowOf(needsObject, 0), "Quantity"), "29 more");
    EXPECT_EQ(RowOf(needsObject, 0)->FindChild("Icon")->Sprite()->GetImageName(), "IconCopper");
    EXPECT_FALSE(RowOf(needsObject, 1)->DrawEnabled);
    EXPECT_EQ(Played("ItemsUnlocked"), 1);

    // Ten steps of one period each, visible on the even ones, then it stays.
    std::vector<bool> seen;
    for (int step = 0; step < 12; ++step) {
        seen.push_back(needsObject->DrawEnabled);
        Frames(10);
    }
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false, true, false, true, false, true, false, true,
                                       true}));
    EXPECT_EQ(Played("ItemsUnlocked"), 1);

    // Completing it hides the section again.
    forSaleObject->GetComponentOfType<ItemUnlockComponent>()->QuantityCurrent = 30;
    recordSale(0, "Item_Copper");
    Step();
    EXPECT_EQ(needs->RowsInUse(), 0);
    EXPECT_FALSE(needsObject->DrawEnabled);
    EXPECT_EQ(Played("ItemsUnlocked"), 2); // the unlock's own cue
}

} // namespace
