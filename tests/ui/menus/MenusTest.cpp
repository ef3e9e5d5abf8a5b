#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlayerFixture.h"
#include "components/TextComponent.h"
#include "components/TintComponent.h"
#include "core/ContentError.h"
#include "core/GraphicsManager.h"
#include "enemies/RegisterEnemiesClasses.h"
#include "events/Events.h"
#include "events/GameEvents.h"
#include "flow/RegisterFlowClasses.h"
#include "flow/stations/SupplyStationBhv.h"
#include "physics/B2FixtureComponent.h"
#include "player/items/AllItemsBhv.h"
#include "player/sub/GameplayScreenBhv.h"
#include "ui/menus/MenuSwitch.h"
#include "ui/menus/RegisterMenusClasses.h"
#include "ui/menus/TextMenuBhv.h"
#include "ui/menus/UiLoadSaveMenuBhv.h"
#include "ui/menus/UiMenuRootBhv.h"
#include "ui/menus/UiMessageBoxBhv.h"
#include "world/generation/WorldMakerBhv.h"

namespace {

std::string Lines(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += R"({"Name": "Line)" + std::to_string(i) + R"(", "Prefab": "UiTextMenuItem"}, )";
    }
    return out;
}

// The player's scene with a gameplay screen, a prefab-built inventory, the item catalogue, a world
// maker whose bands cover nothing (generation is quick and leaves the grid alone) and the menus
// built from small prefabs: every menu line a "UiTextMenuItem", plus a label that is not a line.
class MenusTest : public PlayerFixture {
protected:
    MenusTest() {
        RegisterEnemiesClasses(prefabs.Registry);
        RegisterFlowClasses(prefabs.Registry);
        RegisterMenusClasses(prefabs.Registry);
        prefabs.Registry.BuildPrototypes();
        Bind(Action::MenuConfirm, Key::OemEnter);
        Bind(Action::MenuCancel, Key::Esc);

        AddPlainThing("BossGate");
        AddItem("Item_Sub_PoBoy",
                R"("SubOwnedBit": "1", "SubStorage": "1", "SubHealth": "1", "SubSpeed": "1")");
        AddPrefab("Sub_PoBoy", R"({"Components": {"B2BodyComponent": {"Type": "2", "GravityScale": "0"},
            "B2FixtureComponent": {"Shape": "Box 1 0.5"}, "SubBhv": ""}, "AutoCreate": ""})");
        AddPrefab("Inventory", R"({"Components": {"InventoryBhv": {"Money": "25", "OwnedSubs": "0"}},
            "AutoCreate": [{"Name": "Item_PlasticDrill", "Prefab": "Item_PlasticDrill"}]})");
        AddPrefab("Empty", R"({"Components": "", "AutoCreate": ""})");
        AddPrefab("UiTextMenuItem", R"({"Components": {"TintComponent": ""}, "AutoCreate": ""})");
        AddPrefab("UiText", R"({"Components": {"TextComponent": ""}, "AutoCreate": ""})");
        AddPrefab("UiMainMenu",
                  R"({"Components": {"TextMenuBhv": "", "UiMainMenuBhv": ""}, "AutoCreate": [)" + Lines(6) +
                      R"({"Name": "Label", "Prefab": "UiText"}]})");
        for (const auto& [name, save] : {std::pair{"UiLoadMenu", "false"}, std::pair{"UiSaveMenu", "true"}}) {
            AddPrefab(
                name,
                std::string(R"({"Components": {"TextMenuBhv": "", "UiLoadSaveMenuBhv": {"IsSaveMenu": ")") +
                    save + R"("}}, "AutoCreate": [)" + Lines(5) +
                    R"({"Name": "Title", "Prefab": "UiText"}]})");
        }
        AddPrefab("UiMessageBox", R"({"Components": {"UiMessageBoxBhv": ""},
            "AutoCreate": [{"Name": "UiText", "Prefab": "UiText"}]})");
        std::string children;
        for (const char* name : UiMenuRootBhv::ChildNames) {
            const std::string n = name;
            const bool ownPrefab = n == "UiMainMenu" || n == "UiLoadMenu" || n == "UiSaveMenu";
            children += (children.empty() ? "" : ", ") + std::string(R"({"Name": ")") + n +
                        R"(", "Prefab": ")" + (ownPrefab ? n : std::string("Empty")) + "\"}";
        }
        AddPrefab("Menus", R"({"Components": {"UiMenuRootBhv": ""}, "AutoCreate": [)" + children + "]}");

        screenObject = Add("GameplayScreen", new GameplayScreenBhv());
        Add("AllItems", new AllItemsBhv());
        delete inventoryObject;
        inventoryObject = new GameObject("Inventory");
        root.AppendChild(inventoryObject);
        maker = new WorldMakerBhv();
        maker->Params.B01StartDepth = maker->Params.B02StartDepth = 1;
        maker->B01BossStart = 205;
        maker->B01BossEnd = 225;
        Add("WorldMaker", maker);
        menusObject = new GameObject("Menus");
        root.AppendChild(menusObject);
        menus = menusObject->GetComponentOfType<UiMenuRootBhv>();
    }

    bool IsOn(const GameObject* object) const {
        return object->InputEnabled && object->UpdateEnabled && object->DrawEnabled;
    }
    bool IsOff(const GameObject* object) const {
        return !object->InputEnabled && !object->UpdateEnabled && !object->DrawEnabled;
    }
    // The gameplay screen and the inventory are held, and nothing else of theirs changed.
    bool IsPaused() const {
        const GameObject* inventoryNow = WellKnown<InventoryBhv>::Get()->Owner;
        return !screenObject->InputEnabled && !screenObject->UpdateEnabled && screenObject->DrawEnabled &&
               !inventoryNow->InputEnabled && !inventoryNow->UpdateEnabled && inventoryNow->DrawEnabled;
    }
    bool IsRunning() const {
        const GameObject* inventoryNow = WellKnown<InventoryBhv>::Get()->Owner;
        return screenObject->InputEnabled && screenObject->UpdateEnabled && inventoryNow->InputEnabled &&
               inventoryNow->UpdateEnabled;
    }
    TextMenuBhv* MenuOf(GameObject* menu) const { return menu->GetComponentOfType<TextMenuBhv>(); }

    GameObject* screenObject = nullptr;
    WorldMakerBhv* maker = nullptr;
    GameObject* menusObject = nullptr;
    UiMenuRootBhv* menus = nullptr;
};

TEST_F(MenusTest, CancelOpensTheMainMenuOneFrameLaterAndClosesItAgain) {
    ASSERT_EQ(WellKnown<UiMenuRootBhv>::Get(), menus);
    for (const char* name : UiMenuRootBhv::ChildNames) {
        EXPECT_TRUE(IsOff(menusObject->FindChild(name))) << name;
    }
    EXPECT_TRUE(IsRunning());

    for (int round = 0; round < 2; ++round) {
        Hold(Key::Esc);
        RunFrame();
        input.FrameUpdate();
        // The press that opened it did not also close it.
        EXPECT_TRUE(IsOn(menus->MainMenu()));
        EXPECT_TRUE(IsOn(menus->MenuBackground()));
        EXPECT_TRUE(IsPaused());
        EXPECT_TRUE(menus->IsMenuOpen());
        Hold(Key::Esc, false);
        RunFrame();
        input.FrameUpdate();

        Press(Key::Esc);
        EXPECT_TRUE(IsOff(menus->MainMenu()));
        EXPECT_TRUE(IsOff(menus->MenuBackground()));
        EXPECT_TRUE(IsRunning());
    }

    // A request waits one frame, and a newer one made meanwhile is the one shown.
    menus->openLoadMenu();
    menus->openSupplyMainMenu();
    EXPECT_TRUE(IsOff(menus->SupplyMainMenu()));
    RunFrame();
    EXPECT_TRUE(IsOn(menus->SupplyMainMenu()));
    EXPECT_TRUE(IsOff(menus->LoadMenu()));
    menus->SupplyMainMenu()->SetPassesEnabled(false);

    // The loadout menu leaves the background off (the HUD stays in view) but still holds the game,
    // and the menu key does not open the main menu over it.
    menus->openSupplyLoadoutMenu();
    RunFrame();
    EXPECT_TRUE(IsOn(menus->SupplyLoadoutMenu()));
    EXPECT_TRUE(IsOff(menus->MenuBackground()));
    EXPECT_TRUE(IsPaused());
    Press(Key::Esc);
    EXPECT_TRUE(IsOff(menus->MainMenu()));
    menus->SupplyLoadoutMenu()->SetPassesEnabled(false);
    menus->closeMenus();
    RunFrame();
    EXPECT_TRUE(IsRunning());
}

TEST_F(MenusTest, MenusWithoutOneOfTheirChildrenStopStartUpNamingIt) {
    AddPrefab("Menus", R"({"Components": {"UiMenuRootBhv": ""}, "AutoCreate": [
        {"Name": "UiMenuBg", "Prefab": "Empty"}, {"Name": "UiMainMenu", "Prefab": "Empty"}]})");
    try {
        GameObject menusAgain("Menus");
        FAIL() << "built without its menus";
    } catch (const ContentError& error) {
        EXPECT_EQ(error.File(), "Menus.json");
        EXPECT_NE(error.Problem().find("\"UiLoadMenu\""), std::string::npos) << error.what();
    }
    EXPECT_EQ(WellKnown<UiMenuRootBhv>::Get(), menus);
}

TEST_F(MenusTest, TextMenusWrapBothWaysDimTheOtherLinesAndCountOnlyTheirLines) {
    menus->openMainMenu();
    RunFrame();
    TextMenuBhv* menu = MenuOf(menus->MainMenu());
    ASSERT_EQ(menu->ItemCount(), 6);
    EXPECT_EQ(menu->SelectedIndex(), 0);

    Press(Key::W);
    EXPECT_EQ(menu->SelectedIndex(), 5);
    const std::vector<GameObject*>& lines = menu->Items();
    EXPECT_EQ(lines[5]->Tint()->Tint.a, 255);
    EXPECT_EQ(lines[0]->Tint()->Tint.a, 127);
    EXPECT_EQ(lines[1]->Tint()->Tint.a, 127);
    Press(Key::S);
    EXPECT_EQ(menu->SelectedIndex(), 0);
    Press(Key::S);
    EXPECT_EQ(menu->SelectedIndex(), 1);

    // Held down, the key repeats, and every repeat moves on a line.
    Hold(Key::S);
    int fired = 0;
    for (int frame = 0; frame < 40; ++frame) {
        fired += input.IsActionFired(Action::MoveDown) ? 1 : 0;
        Step();
    }
    Hold(Key::S, false);
    fired += input.IsActionFired(Action::MoveDown) ? 1 : 0;
    Step();
    EXPECT_GT(fired, 2);
    EXPECT_EQ(menu->SelectedIndex(), (1 + fired) % 6);

    // Leaving resets the selection.
    Press(Key::Esc);
    EXPECT_EQ(menu->SelectedIndex(), 0);
}

TEST_F(MenusTest, TheThirdSaveLineSavesSlotThreeAndCancelGoesBackToTheMainMenu) {
    std::vector<std::string> saved, loaded;
    auto* save = menus->SaveMenu()->GetComponentOfType<UiLoadSaveMenuBhv>();
    auto* load = menus->LoadMenu()->GetComponentOfType<UiLoadSaveMenuBhv>();
    save->SaveSlot = [&](const std::string& slot) {
        saved.push_back(slot);
    };
    load->LoadSlot = [&](const std::string& slot) {
        loaded.push_back(slot);
    };
    ASSERT_EQ(MenuOf(menus->SaveMenu())->ItemCount(), 5);

    // Main menu, fourth line: the save menu.
    Press(Key::Esc);
    Press(Key::S);
    Press(Key::S);
    Press(Key::S);
    Press(Key::OemEnter);
    EXPECT_TRUE(IsOff(menus->MainMenu()));
    EXPECT_EQ(MenuOf(menus->MainMenu())->SelectedIndex(), 0);
    EXPECT_TRUE(IsOn(menus->SaveMenu()));
    EXPECT_TRUE(IsPaused());

    Press(Key::S);
    Press(Key::S);
    Press(Key::OemEnter);
    EXPECT_EQ(saved, std::vector<std::string>{"SavedGame3"});
    EXPECT_TRUE(loaded.empty());
    EXPECT_TRUE(IsOff(menus->SaveMenu()));
    EXPECT_TRUE(IsOff(menus->MenuBackground()));
    EXPECT_EQ(MenuOf(menus->SaveMenu())->SelectedIndex(), 0);
    EXPECT_TRUE(IsRunning());

    // The load menu's cancel goes back to the main menu rather than to the game.
    Press(Key::Esc);
    Press(Key::S);
    Press(Key::S);
    Press(Key::OemEnter);
    EXPECT_TRUE(IsOn(menus->LoadMenu()));
    Press(Key::W);
    Press(Key::Esc);
    EXPECT_TRUE(IsOff(menus->LoadMenu()));
    EXPECT_TRUE(IsOn(menus->MainMenu()));
    EXPECT_TRUE(IsPaused());
    Press(Key::S);
    Press(Key::S);
    Press(Key::OemEnter);
    Press(Key::W);
    Press(Key::OemEnter);
    EXPECT_EQ(loaded, std::vector<std::string>{"SavedGame5"});
    EXPECT_TRUE(IsRunning());
}

TEST_F(MenusTest, AMessageBoxPausesTwoFramesAfterShowingAndOnlyAFreshPressAnswersIt) {
    Hold(Key::OemEnter);
    GameObject* box = showMessageBox("Hull breached");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->FindChild("UiText")->Text()->Text, "Hull breached");
    RunFrame();
    input.FrameUpdate();
    // The press that raised it is not an answer.
    EXPECT_TRUE(IsOn(box));
    EXPECT_TRUE(IsRunning());
    RunFrame();
    input.FrameUpdate();
    EXPECT_TRUE(IsPaused());
    RunFrames(3);
    EXPECT_TRUE(IsOn(box));
    Hold(Key::OemEnter, false);
    RunFrame();
    input.FrameUpdate();
    EXPECT_TRUE(IsPaused());

    // Answering with the menu key does not open the main menu as well.
    Hold(Key::Esc);
    Step();
    EXPECT_TRUE(IsRunning());
    Step();
    EXPECT_TRUE(IsOff(menus->MainMenu()));
    // The answered box is gone.
    EXPECT_EQ(menusObject->Children.size(), UiMenuRootBhv::ChildNames.size());

    // A box answered before its pause came never pauses.
    box = showMessageBox("Quick");
    Hold(Key::Esc, false);
    RunFrame();
    input.FrameUpdate();
    Press(Key::OemEnter);
    RunFrames(3);
    EXPECT_TRUE(IsRunning());
}

TEST_F(MenusTest, ANewGameMakesAFreshWorldInventoryAndSubmarine) {
    GraphicsManager graphics;
    Service<GraphicsManager>::Scoped graphicsScope(graphics);
    const Color water{10, 20, 30, 255};
    graphics.ClearColor = water;
    Events events;
    Service<Events>::Scoped eventsScope(events);
    int generated = 0;
    events.Game->WorldGenerated.Subscribe(this, [&](void*) { ++generated; });
    InventoryBhv* old = WellKnown<InventoryBhv>::Get();
    old->Money = 900;
    addItem(4, "Item_PlasticDrill");
    PlaceSub({40.0f, -60.0f});
    // The player dies and opens the menu while the screen flashes.
    old->ScheduleDeath();
    RunFrames(3);
    ASSERT_NE(graphics.ClearColor, water);

    Press(Key::Esc);
    Press(Key::S);
    Press(Key::OemEnter);
    // "New Game" asks first; nothing has changed until the answer.
    EXPECT_EQ(generated, 0);
    Press(Key::OemEnter);
    events.Game->WorldGenerated.Unsubscribe(this);
    EXPECT_EQ(generated, 1);

    InventoryBhv* fresh = WellKnown<InventoryBhv>::Get();
    ASSERT_NE(fresh, old);
    EXPECT_EQ(fresh->Owner->Name, "Inventory");
    EXPECT_EQ(fresh->Money, 25);
    EXPECT_EQ(fresh->OwnedSubs, 1);
    std::vector<std::string> held;
    for (GameObject* child : fresh->Owner->Children) {
        held.push_back(child->PrefabName + " x" + std::to_string(ItemOf(*child)->Quantity));
    }
    EXPECT_EQ(held, std::vector<std::string>{"Item_PlasticDrill x1"});

    GameObject* hull = Submarine();
    ASSERT_NE(hull, nullptr);
    EXPECT_EQ(hull->PrefabName, "Sub_PoBoy");
    const Vector2 at = hull->GetPosition();
    EXPECT_NEAR(at.x, SubBhv::SpawnPoint().x, 0.2f);
    EXPECT_NEAR(at.y, SubBhv::SpawnPoint().y, 0.2f);

    EXPECT_TRUE(IsOn(hull));
    EXPECT_EQ(graphics.ClearColor, water);

    EXPECT_TRUE(IsOff(menus->MainMenu()));
    EXPECT_TRUE(IsOff(menus->MenuBackground()));
    EXPECT_TRUE(IsRunning());
}

TEST_F(MenusTest, TouchingASupplyStationOpensTheStore) {
    AddPrefab("SupplyStation", R"({"Components": {"ThingComponent": "", "B2BodyComponent": {"Type": "0"},
        "B2FixtureComponent": {"Shape": "Box 2 1.5", "IsSensor": "true"},
        "B2FixtureComponent": {"Shape": "Box 2.5 2", "IsSensor": "true"}, "SupplyStationBhv": ""},
        "AutoCreate": ""})");
    GameObject* station = thingRoot->SpawnThing("SupplyStation", {20.0f, -20.0f});
    auto* bhv = station->GetComponentOfType<SupplyStationBhv>();
    bhv->OnBeginContact(nullptr, sub->GetComponentOfType<B2FixtureComponent>()->fixture);
    EXPECT_EQ(bhv->MenuRequests(), 1);
    RunFrame();
    EXPECT_TRUE(IsOn(menus->SupplyMainMenu()));
    EXPECT_TRUE(IsOn(menus->MenuBackground()));
    EXPECT_TRUE(IsPaused());
}

TEST_F(MenusTest, TheLoadMenuShowsEverySlotsLineEachTimeItOpens) {
    auto* load = menus->LoadMenu()->GetComponentOfType<UiLoadSaveMenuBhv>();
    int opened = 0;
    load->SlotLine = [&](int slot) {
        opened += slot == 1 ? 1 : 0;
        return std::to_string(slot) + "  seen " + std::to_string(opened);
    };
    for (GameObject* line : MenuOf(menus->LoadMenu())->Items()) {
        line->AddComponent(new TextComponent());
    }
    const auto text = [&](int line) {
        return MenuOf(menus->LoadMenu())
            ->Items()[static_cast<size_t>(line)]
            ->GetComponentOfType<TextComponent>()
            ->Text;
    };
    Press(Key::Esc);
    Press(Key::S);
    Press(Key::S);
    Press(Key::OemEnter);
    ASSERT_TRUE(IsOn(menus->LoadMenu()));
    EXPECT_EQ(text(0), "1  seen 1");
    EXPECT_EQ(text(4), "5  seen 1");
    Step();
    EXPECT_EQ(opened, 1); // once per opening, not per frame

    // Back to the main menu and in again: read afresh.
    Press(Key::Esc);
    Press(Key::S);
    Press(Key::S);
    Press(Key::OemEnter);
    ASSERT_TRUE(IsOn(menus->LoadMenu()));
    EXPECT_EQ(text(2), "3  seen 2");
}

} // namespace
